#include "tools/Output.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

int FinishOutput(int status, const char *tool)
{
    errno = 0;
    const bool failed = std::fflush(stdout) != 0 || std::ferror(stdout) != 0;
    const int error = errno;
    const bool closeFailed = std::fclose(stdout) != 0;
    if (!failed && !closeFailed)
        return status;
    std::fprintf(stderr, "%s: cannot write the standard output: %s\n", tool,
                 std::strerror(failed && error != 0 ? error : errno));
    return status == 0 ? 1 : status;
}
