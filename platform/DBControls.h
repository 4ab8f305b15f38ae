#pragma once
// Data-aware controls: each shows its field of the current record of its
// data source's dataset and holds no text of its own. The reader only reads
// the book, so none of them can change what it shows.

#include "platform/TDBGrid.h"
#include "platform/TDBMemo.h"
#include "platform/TDBText.h"
