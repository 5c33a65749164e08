// Icons as stored in old dictionaries and chosen by the user: unwrapping and
// reading any bytes ends in a picture or none, never a crash.
#include "convert/Pictures.h"

#include <QGuiApplication>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    // Qt finds its image plugins (.ico among them) through the application.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray stored(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QByteArray plain = plainPicture(stored);
    // The unwrapped picture is always a part of what was stored.
    if (plain.size() > stored.size()) {
        std::abort();
    }
    isReadablePicture(plain);
    return 0;
}
