// archive/DataStream.h: the abstract stream that the gzip file stream implements.
#pragma once

#include "archive/Types.h"

#include <memory>

enum { gzModeNone = 0, gzModeWrite = 1, gzModeRead = 2 };

class CDataStream {
public:
    CDataStream() = default;
    CDataStream(const CDataStream&) = delete;
    CDataStream& operator=(const CDataStream&) = delete;
    virtual ~CDataStream() = default;

    virtual BOOL SetMode(int nMode);
    virtual BOOL Close() = 0;
    virtual BOOL IsOpen() const = 0;
    virtual BOOL Write(const void* pData, unsigned nLength) = 0;
    virtual BOOL WriteString(const char* pszText) = 0;
    virtual int Read(void* pBuffer, unsigned nLength) = 0;
    virtual BOOL ReadAll(std::unique_ptr<unsigned char[]>& pBuffer, int& nSize) = 0;
    virtual int ApplyParams() = 0;

    int GetMode() const { return m_nMode; }

protected:
    int m_nMode = gzModeNone;
    int m_nLevel = -1;   // Z_DEFAULT_COMPRESSION
    int m_nStrategy = 0; // Z_DEFAULT_STRATEGY
};
