#include "links.h"

#if !defined(SIFTER_GUIDE_RELATIVE) || !defined(SIFTER_GUIDE_SOURCE)
#error "the build defines where the user guide lies"
#endif

namespace sifter {

const char *UserGuideRelativeToProgram()
{
    return SIFTER_GUIDE_RELATIVE;
}

const char *UserGuideInSources()
{
    return SIFTER_GUIDE_SOURCE;
}

} // namespace sifter
