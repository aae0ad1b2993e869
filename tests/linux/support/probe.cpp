// A helper program for the tests: proves it was started by appending one line to a file
// beside itself named after its own executable ("<exe>.ran"): its process id, its current
// directory and its first argument, tab-separated. Then it stays alive (for at most two
// minutes) so that tests can find and terminate it by name.
#include <unistd.h>

#include <fstream>
#include <string>

int main(int argc, char** argv) {
  std::string self(4096, '\0');
  const ssize_t n = ::readlink("/proc/self/exe", self.data(), self.size());
  if (n <= 0) return 1;
  self.resize(static_cast<std::size_t>(n));
  std::string cwd(4096, '\0');
  if (!::getcwd(cwd.data(), cwd.size())) cwd.clear();
  cwd.resize(cwd.find('\0') == std::string::npos ? cwd.size() : cwd.find('\0'));
  std::ofstream(self + ".ran", std::ios::app)
      << ::getpid() << '\t' << cwd << '\t' << (argc > 1 ? argv[1] : "") << '\n';
  ::sleep(120);
  return 0;
}
