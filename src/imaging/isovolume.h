#pragma once

#include "imaging/chunkstream.h"

// What the ISO 9660 side of an image says, read without a full reader.

// The bytes the file system claims: its volume space size in 2048-byte blocks.
// -1 when the stream holds no such primary volume descriptor.
qint64 IsoVolumeBytes(const ChunkStream& stream);

// Where the data of the first file in the folder below the root starts, in
// bytes. The image builder writes every directory and file entry before any file
// data, so the bytes before this hold the whole file system. -1 when the folder
// or its files cannot be found.
qint64 IsoFirstFileOffset(const ChunkStream& stream, const QByteArray& folder);
