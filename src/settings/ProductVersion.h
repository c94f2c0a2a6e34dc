#pragma once

// The version of the panel software this program stands in for, shown by the command-line banner and
// the About window. A macro so that it joins string literals at compile time.
#define TAMRIK_PRODUCT_VERSION "V2.019"
