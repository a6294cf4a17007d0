// The label data file's form: "Time=" and "Memo=" lines of Shift-JIS
// bytes. Reading and writing the file itself is core/labelfile.h.
#pragma once

#include <string>
#include <string_view>

#include "core/posttable.h"
#include "core/result.h"

namespace morna {

// Reads the bytes of a data file into the empty `table`. A file with more
// labels than the table has slots grows the table (never past 50 slots);
// beyond 50 the first 50 labels are loaded and the result is Failed ("File
// too large"), so the file is not overwritten as if it had been read whole.
// Message lines before the first time line are skipped.
FileResult ParsePostData(std::string_view bytes, PostTable& table);

// Appends the bytes of one label as the data file holds it: its time line
// and its message lines. Does the same as FormatPostData for one slot.
void AppendLabelBytes(std::string& out, const PostSlot& label);

// The bytes of the data file for `table`: every label in slot order. A
// Ctrl-Z (which would end the file on reading) is left out of the texts,
// and a message line holding a CR is written as the lines it splits into.
std::string FormatPostData(const PostTable& table);

}  // namespace morna
