// SPDX-License-Identifier: GPL-3.0-or-later
#include "links.h"

#if !defined(SIFTER_GUIDE_RELATIVE) || !defined(SIFTER_GUIDE_NAME)
#error "the build defines where the user guide lies"
#endif

namespace sifter {

const char *UserGuideRelativeToProgram()
{
    return SIFTER_GUIDE_RELATIVE;
}

const char *UserGuideFileName()
{
    return SIFTER_GUIDE_NAME;
}

} // namespace sifter
