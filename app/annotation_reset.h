#pragma once
// Button ④ starts the annotation afresh: every title and memo empty.
#include "app/data_tables.h"

// The title and memo tables become the three header lines of "title.js" and
// "note.js" and one empty entry per photo number 1 … photoCount. Lines beyond
// stay as they were; the theme and the colours are not touched.
void ResetAnnotations(DataTables& tables, int photoCount);
