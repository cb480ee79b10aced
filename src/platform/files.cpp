#include "platform/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>

namespace kvem {

bool ReadWholeFile(const std::filesystem::path& path, std::string& bytes, std::string* error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    if (error) *error = "cannot open " + path.string();
    return false;
  }
  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  in.seekg(0, std::ios::beg);
  if (size < 0) {  // not seekable (a pipe): read it in pieces
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  } else {
    bytes.resize(static_cast<std::size_t>(size));
    in.read(bytes.data(), size);
    bytes.resize(static_cast<std::size_t>(in.gcount()));
  }
  if (in.bad()) {
    if (error) *error = "cannot read " + path.string();
    return false;
  }
  return true;
}

bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                         std::string* error) {
  auto fail = [&](const std::string& what) {
    if (error) *error = what + " " + path.string() + ": " + std::strerror(errno);
    return false;
  };
  const std::filesystem::path dir = path.has_parent_path() ? path.parent_path() : ".";
  // A hidden name beside the target, so the rename stays within one file system.
  std::string hidden = ".";
  hidden += path.filename().string();
  hidden += ".XXXXXX";
  std::string pattern = (dir / hidden).string();
  const int fd = ::mkstemp(pattern.data());
  if (fd < 0) return fail("cannot create a temporary file for");

  struct stat existing {};
  mode_t mode = 0666;
  if (::stat(path.c_str(), &existing) == 0) {
    mode = existing.st_mode & 07777;
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode &= ~mask;
  }
  ::fchmod(fd, mode);

  std::size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
    if (n < 0) {
      if (errno == EINTR) continue;
      const int saved = errno;
      ::close(fd);
      ::unlink(pattern.c_str());
      errno = saved;
      return fail("cannot write");
    }
    written += static_cast<std::size_t>(n);
  }
  if (::fsync(fd) != 0 || ::close(fd) != 0) {
    const int saved = errno;
    ::unlink(pattern.c_str());
    errno = saved;
    return fail("cannot write");
  }
  if (::rename(pattern.c_str(), path.c_str()) != 0) {
    const int saved = errno;
    ::unlink(pattern.c_str());
    errno = saved;
    return fail("cannot replace");
  }
  return true;
}

}  // namespace kvem
