#pragma once
// How the process allocates the big blocks a large text needs. Plain C++.

/// Blocks of 128 KiB and more are mapped afresh and given back to the system
/// when freed, whatever was freed before: a file's memory is returned once it
/// is replaced, and a text buffer that grows moves its pages instead of
/// leaving copies behind. Call it first thing in main().
void ReturnLargeBlocksToTheSystem();
