#pragma once

#include <QString>

// The text with every single quote doubled and one added at each end: the
// only escaping the program applies to what the user types.
QString QuotedStr(const QString& text);
