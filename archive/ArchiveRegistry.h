// archive/ArchiveRegistry.h: archive bytes handed to the engine in place of a resource.
//
// Where a program has no executable resource to open (the POSIX build, the
// payload tool on every platform), it registers the bytes of an archive under
// a resource id; CPayloadArchive::Open(nID) then views them. The bytes stay
// owned by the caller and must outlive every archive opened on them.
#pragma once

#include "archive/Platform.h"
#include "archive/Types.h"

void RegisterArchive(UINT nID, const SByteBlock& block);
void UnregisterArchive(UINT nID);
// FALSE when nothing is registered under nID.
BOOL FindRegisteredArchive(UINT nID, SByteBlock& block);
