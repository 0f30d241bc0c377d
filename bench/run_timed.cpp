// Runs a command once, its output discarded, and prints on one line the wall-clock milliseconds
// from start to exit, the CPU milliseconds (user and system) and the peak resident KiB of the
// command's process as the kernel accounts them. Fails if the command does.

#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

double milliseconds(const timespec& time) {
    return static_cast<double>(time.tv_sec) * 1e3 + static_cast<double>(time.tv_nsec) / 1e6;
}

double milliseconds(const timeval& time) {
    return static_cast<double>(time.tv_sec) * 1e3 + static_cast<double>(time.tv_usec) / 1e3;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s COMMAND [ARGUMENT]...\n", argv[0]);
        return 2;
    }
    timespec start{};
    clock_gettime(CLOCK_MONOTONIC, &start);
    const pid_t child = fork();
    if (child == 0) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        execvp(argv[1], argv + 1);
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (child < 0 || wait4(child, &status, 0, &usage) != child) {
        std::perror(argv[1]);
        return 1;
    }
    timespec end{};
    clock_gettime(CLOCK_MONOTONIC, &end);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s failed (wait status %d)\n", argv[1], status);
        return 1;
    }
    std::printf("%.2f %.2f %ld\n", milliseconds(end) - milliseconds(start),
                milliseconds(usage.ru_utime) + milliseconds(usage.ru_stime), usage.ru_maxrss);
    return 0;
}
