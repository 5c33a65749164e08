#pragma once

#include "ReaderProtocol.h"

#include <string>

// Ends the reader with `code` and a one-line reason on stderr.
[[noreturn]] void fail(ReaderProtocol::Exit code, const std::string& reason);
