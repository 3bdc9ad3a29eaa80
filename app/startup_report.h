#pragma once
// What start-up tells the user about a gallery that is not as the steps left
// it: thumbnails and photos that do not pair up, and data-file lines it could
// not take. Each message is Shift-JIS; empty when there is nothing to say.
#include <string>
#include <vector>

#include "app/data_tables.h"

// Names in listing order joined by "、", at most ten, then "ほかN件" for the rest.
std::string JoinNames(const std::vector<std::string>& names);

// The photos without a "Tn_" thumbnail and the thumbnails of no photo, both
// listings sorted, in one message that suggests ②.
std::string ThumbnailMismatchMessage(const std::vector<std::string>& photos,
                                     const std::vector<std::string>& thumbnails);

// One message per data file with damaged lines, naming the file and the lines.
std::vector<std::string> DamagedLinesMessages(const std::vector<DamagedLines>& damaged);
