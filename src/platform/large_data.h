// Data of many megabytes: memory for big arrays, reading a whole file into
// it, and replacing a file whose bytes are formed piece by piece.
//
// The first touch of every fresh 4 KB
// page costs the kernel a page fault, and for arrays of tens of megabytes
// those faults cost more than the work done on the data. Blocks of a
// megabyte or more are therefore mapped on 2 MB boundaries and offered to
// the kernel for transparent huge pages (one fault per 2 MB); smaller blocks
// come from the ordinary heap. Where the kernel gives no huge pages the
// memory behaves as any other.
#pragma once

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <new>
#include <string>
#include <vector>

namespace kvem {

namespace detail {

inline constexpr std::size_t kLargeBlock = std::size_t{1} << 20;
inline constexpr std::size_t kHugePage = std::size_t{2} << 20;

inline std::size_t LargeMappingSize(std::size_t bytes) {
  return (bytes + kHugePage - 1) & ~(kHugePage - 1);
}

// A mapping of LargeMappingSize(bytes) starting on a 2 MB boundary, or nullptr.
inline void* MapLarge(std::size_t bytes) {
  const std::size_t size = LargeMappingSize(bytes);
  void* raw = ::mmap(nullptr, size + kHugePage, PROT_READ | PROT_WRITE,
                     MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (raw == MAP_FAILED) return nullptr;
  auto* base = static_cast<char*>(raw);
  const auto address = reinterpret_cast<std::uintptr_t>(base);
  char* aligned = base + ((kHugePage - (address & (kHugePage - 1))) & (kHugePage - 1));
  // Keep exactly [aligned, aligned + size): the rest goes back at once.
  if (aligned > base) ::munmap(base, static_cast<std::size_t>(aligned - base));
  char* const end = aligned + size;
  if (base + size + kHugePage > end)
    ::munmap(end, static_cast<std::size_t>(base + size + kHugePage - end));
  ::madvise(aligned, size, MADV_HUGEPAGE);
  return aligned;
}

}  // namespace detail

// A standard allocator that maps blocks of a megabyte or more as above.
template <typename T>
struct LargeArrayAllocator {
  using value_type = T;

  LargeArrayAllocator() noexcept = default;
  template <typename U>
  LargeArrayAllocator(const LargeArrayAllocator<U>&) noexcept {}  // NOLINT: implicit by design

  T* allocate(std::size_t n) {
    if (n > static_cast<std::size_t>(-1) / sizeof(T)) throw std::bad_array_new_length();
    const std::size_t bytes = n * sizeof(T);
    if (bytes < detail::kLargeBlock) return static_cast<T*>(::operator new(bytes));
    void* p = detail::MapLarge(bytes);
    if (!p) throw std::bad_alloc();
    return static_cast<T*>(p);
  }

  void deallocate(T* p, std::size_t n) noexcept {
    const std::size_t bytes = n * sizeof(T);
    if (bytes < detail::kLargeBlock) {
      ::operator delete(p);
      return;
    }
    ::munmap(p, detail::LargeMappingSize(bytes));
  }

  template <typename U>
  bool operator==(const LargeArrayAllocator<U>&) const noexcept {
    return true;
  }
};

template <typename T>
using LargeVector = std::vector<T, LargeArrayAllocator<T>>;
using LargeString = std::basic_string<char, std::char_traits<char>, LargeArrayAllocator<char>>;

// Reads the whole file into `bytes`; false when it cannot be opened or read.
inline bool ReadLargeFile(const std::filesystem::path& path, LargeString& bytes) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat st {};
  std::size_t size = 0;
  if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) size = static_cast<std::size_t>(st.st_size);
  bytes.clear();
  bytes.resize(size > 0 ? size + 1 : 65536);  // one byte more: the end is seen in one pass
  std::size_t used = 0;
  for (;;) {
    if (used == bytes.size()) bytes.resize(bytes.size() * 2);
    const ssize_t n = ::read(fd, bytes.data() + used, bytes.size() - used);
    if (n < 0) {
      if (errno == EINTR) continue;
      ::close(fd);
      bytes.clear();
      return false;
    }
    if (n == 0) break;
    used += static_cast<std::size_t>(n);
  }
  ::close(fd);
  bytes.resize(used);
  return true;
}

// Replaces a file atomically with bytes handed over in pieces, so output of
// many megabytes needs no buffer of its size. The pieces go to a hidden
// temporary file beside the target; Commit() flushes it to disk and renames
// it over the target (an existing file keeps its permissions). A writer
// destroyed without a successful Commit() removes the temporary file and
// leaves the previous file untouched.
class AtomicFileWriter {
 public:
  explicit AtomicFileWriter(const std::filesystem::path& path) : path_(path) {
    const std::filesystem::path dir = path.has_parent_path() ? path.parent_path() : ".";
    temporary_ = (dir / ("." + path.filename().string() + ".XXXXXX")).string();
    fd_ = ::mkstemp(temporary_.data());
    if (fd_ < 0) return;
    struct stat existing {};
    mode_t mode = 0666;
    if (::stat(path.c_str(), &existing) == 0) {
      mode = existing.st_mode & 07777;
    } else {
      const mode_t mask = ::umask(0);
      ::umask(mask);
      mode &= ~mask;
    }
    ::fchmod(fd_, mode);
  }
  AtomicFileWriter(const AtomicFileWriter&) = delete;
  AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;
  ~AtomicFileWriter() {
    if (fd_ >= 0) {
      ::close(fd_);
      ::unlink(temporary_.c_str());
    }
  }

  // False once anything has failed (the temporary file could not be made or written).
  bool ok() const { return fd_ >= 0 && !failed_; }

  void Write(std::string_view bytes) {
    while (ok() && !bytes.empty()) {
      const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
      if (n < 0) {
        if (errno != EINTR) failed_ = true;
        continue;
      }
      bytes.remove_prefix(static_cast<std::size_t>(n));
    }
  }

  bool Commit() {
    if (!ok()) return false;
    const int fd = fd_;
    fd_ = -1;
    const bool synced = ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (!synced || !closed || ::rename(temporary_.c_str(), path_.c_str()) != 0) {
      ::unlink(temporary_.c_str());
      failed_ = true;
      return false;
    }
    return true;
  }

 private:
  std::filesystem::path path_;
  std::string temporary_;
  int fd_ = -1;
  bool failed_ = false;
};

}  // namespace kvem
