#pragma once
class QWidget;

/// The framework's report of an operation that ran out of memory.
void ReportOutOfMemory(QWidget* owner);
