// The string the program uses, instantiated once here for every program.
#include "cp/xstring.h"

namespace cp {

template class xstring<WCHAR>;

}  // namespace cp
