// Keeps the C++ runtime's verbose terminate handler, and the symbol demangler it drags in, out of the program.
#include <cstdlib>

#if defined(__GLIBCXX__)
namespace __gnu_cxx {
// Nothing in the program lets an exception escape; should the runtime still terminate, end at once.
void __verbose_terminate_handler() { std::abort(); }  // NOLINT(bugprone-reserved-identifier): the runtime's own name
}  // namespace __gnu_cxx
#endif
