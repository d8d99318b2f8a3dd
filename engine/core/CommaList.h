#pragma once
#include <string>
#include <vector>

// Appends the comma-separated pieces of text to out (its elements stay). A piece ended by a
// comma is kept even when empty; the piece after the last comma only when it is not empty.
// Nothing is trimmed: "A,,B" gives A, "", B; "A,B," gives A, B; "" gives nothing.
void SplitCommaList(const std::string& text, std::vector<std::string>& out);
