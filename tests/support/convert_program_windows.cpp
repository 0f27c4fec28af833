// ImageMagick's convert is not at hand on Windows (Windows' own convert.exe
// converts file systems), so the comparisons with it are skipped there.
#include "tests/support/pictures.h"

std::string ConvertProgram() {
    return "";
}
