// archive/DataStream.cpp
#include "archive/DataStream.h"

BOOL CDataStream::SetMode(int nMode) {
    m_nMode = nMode;
    return TRUE;
}
