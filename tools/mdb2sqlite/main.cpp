// lexa-mdb-reader FILE TABLE
// Writes the records of TABLE in the Access file FILE to stdout in the
// stream described in ReaderProtocol.h. Exits non-zero with a reason on
// stderr on any problem.
#include "Fail.h"
#include "StreamWriter.h"
#include "TableReader.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[])
{
    if (argc != 3) {
        fail(ReaderProtocol::Exit::Usage, "usage: lexa-mdb-reader FILE TABLE");
    }
    // Text comes as UTF-8; Jet 3 bytes pass through ISO-8859-1 unchanged and
    // are read as Windows-1252 afterwards (Cp1252.h).
    setenv("MDBICONV", "UTF-8", 1);
    setenv("MDB_JET3_CHARSET", "ISO-8859-1", 1);

    StreamWriter out(stdout);
    TableReader reader(argv[1], argv[2]);
    reader.copyTo(out);
    return 0;
}
