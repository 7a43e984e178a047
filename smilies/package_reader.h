#pragma once
// The package reader: turns SmiliesPackage into the smilies table.

namespace quorix {

// Reads SmiliesPackage (taking its header block out of it), rewrites the whole
// smilies table and sets DisplayState to Shown, or to Damaged with a fixed
// 300 x 100 one-group empty table when anything in the package cannot be read.
// Never lets an error escape.
void ReadSmiliesPackage();

}  // namespace quorix
