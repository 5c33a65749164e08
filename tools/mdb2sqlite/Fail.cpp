#include "Fail.h"

#include <cstdio>
#include <cstdlib>

void fail(ReaderProtocol::Exit code, const std::string& reason)
{
    std::fprintf(stderr, "lexa-mdb-reader: %s\n", reason.c_str());
    std::fflush(stderr);
    std::_Exit(static_cast<int>(code));
}
