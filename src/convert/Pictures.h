#pragma once

#include <QByteArray>

// The icon field of an old dictionary holds a picture in one of the forms
// the old platform persisted:
//   - a picture stream: "lt\0\0", a 32-bit little-endian length, the bytes;
//   - an OLE object (signature 15 1C) whose "Package" holds the file;
//   - the plain file bytes.
// Returns the plain file bytes inside `stored`, or `stored` itself when it
// is in none of the wrapped forms or a wrapper is inconsistent.
QByteArray plainPicture(const QByteArray& stored);

// True when Qt can read a picture (".ico", ".bmp", ...) from `bytes`.
bool isReadablePicture(const QByteArray& bytes);
