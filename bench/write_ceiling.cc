// write_ceiling: what the page cache allows the converter at best. Reads a
// file (the SIF file just written) into memory, then writes it into a new
// file with write() of 1 MiB a call and prints the seconds from the open to
// the close:
//
//   write_ceiling FILE NEW_FILE   ->   "<seconds>"
//
// The conversion can be no faster than this: its bytes are formatted and
// still have to be written the same way.
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

constexpr std::size_t kChunk = std::size_t{1} << 20;

bool read_file(const char* path, std::vector<char>& data) {
  const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  const off_t size = ::lseek(fd, 0, SEEK_END);
  data.resize(size > 0 ? static_cast<std::size_t>(size) : 0);
  std::size_t done = 0;
  while (done < data.size()) {
    const ssize_t r = ::pread(fd, data.data() + done, data.size() - done, static_cast<off_t>(done));
    if (r <= 0) break;
    done += static_cast<std::size_t>(r);
  }
  ::close(fd);
  return size >= 0 && done == data.size();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: write_ceiling FILE NEW_FILE\n");
    return 2;
  }
  std::vector<char> data;
  if (!read_file(argv[1], data)) {
    std::fprintf(stderr, "write_ceiling: cannot read %s: %s\n", argv[1], std::strerror(errno));
    return 1;
  }
  const auto start = std::chrono::steady_clock::now();
  const int fd = ::open(argv[2], O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  bool ok = fd >= 0;
  for (std::size_t at = 0; ok && at < data.size();) {
    const ssize_t w = ::write(fd, data.data() + at, std::min(kChunk, data.size() - at));
    ok = w > 0 || (w < 0 && errno == EINTR);
    if (w > 0) at += static_cast<std::size_t>(w);
  }
  ok = fd >= 0 && ::close(fd) == 0 && ok;
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  if (!ok) {
    std::fprintf(stderr, "write_ceiling: cannot write %s: %s\n", argv[2], std::strerror(errno));
    return 1;
  }
  std::printf("%.4f\n", took.count());
  return 0;
}
