#pragma once

class UnservedXDisplay;

/// The display that DISPLAY names during the test: nobody serves it.
const UnservedXDisplay& TheUnservedXDisplay();
