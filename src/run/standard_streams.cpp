#include "run/standard_streams.hpp"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

#include "text/record_file.hpp"

namespace tessadro {

void guard_standard_streams() {
    bool stdout_closed = false;
    for (int fd = 0; fd <= 2; ++fd) {
        if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
        // The lowest free number is taken, which is fd: the lower ones are open.
        const int opened = ::open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
        if (opened != fd && opened >= 0) {
            ::dup2(opened, fd);
            ::close(opened);
        }
        stdout_closed |= fd == 1;
    }
    std::signal(SIGPIPE, SIG_IGN);
    if (stdout_closed) console().lose(EBADF);
}

}  // namespace tessadro
