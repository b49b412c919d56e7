#include "platform/StandardDescriptors.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

void keepStandardDescriptorsOpen()
{
    for (int descriptor = STDIN_FILENO; descriptor <= STDERR_FILENO; ++descriptor) {
        if (fcntl(descriptor, F_GETFD) != -1 || errno != EBADF)
            continue;
        // open() returns the lowest free number, which is this one.
        const int opened = open("/dev/null", descriptor == STDIN_FILENO ? O_RDONLY : O_WRONLY);
        if (opened != descriptor && opened != -1)
            close(opened);
    }
}
