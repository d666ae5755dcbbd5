// archive/MemFile.h: a read-only cursor over a byte block that someone else
// owns: Read copies from the position on and advances it, Seek sets the
// position, and the length is the block's. The bytes are never copied, owned
// or grown; the block must outlive the cursor.
#pragma once

#include "archive/Types.h"

#include <cstdint>

class CMemFile {
public:
    CMemFile() = default;
    CMemFile(const unsigned char* pData, std::uint64_t nLength);
    CMemFile(const CMemFile&) = delete;
    CMemFile& operator=(const CMemFile&) = delete;

    // Copies min(nCount, length - position) bytes and advances; 0 at the end.
    std::uint64_t Read(void* pBuffer, std::uint64_t nCount);
    // Moves to an absolute position; FALSE (and no move) beyond the end.
    BOOL Seek(std::uint64_t nPosition);
    std::uint64_t GetPosition() const { return m_nPosition; }
    std::uint64_t GetLength() const { return m_nLength; }
    // Forgets the bytes; position and length become 0.
    void Close();

    // The bytes at the read position, in place (GetLength() - GetPosition() of them).
    const unsigned char* GetCurrent() const { return m_pData + m_nPosition; }
    // The whole block, in place.
    const unsigned char* GetData() const { return m_pData; }

private:
    const unsigned char* m_pData = nullptr;
    std::uint64_t m_nLength = 0;
    std::uint64_t m_nPosition = 0;
};
