// tools/payload/pack/PackPipeline.h
#pragma once

#include "pack/PackResult.h"

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <string>

class CMemberPacker;

// Reads the files of an archive on worker threads, packs them into members
// when asked, and hands the results over in order on the calling thread.
// Files come and members go in pieces, and the results that wait are bounded
// in bytes: a member that does not fit beside them stays in its worker's
// staging file until it is handed over. Memory stays the same for files and
// archives of any size.
class CPackPipeline {
public:
    // Hands the bytes of file nIndex to sink, in order; on failure sets strError.
    using Source =
        std::function<bool(std::size_t nIndex, const BytesSink& sink, std::string& strError)>;
    // Takes the result of file nIndex (a member, or the file's bytes when not packing).
    using Sink =
        std::function<bool(std::size_t nIndex, const SPackResult& result, std::string& strError)>;
    // The name of file nIndex, for messages.
    using Name = std::function<std::string(std::size_t nIndex)>;

    // The bytes that finished results may hold in memory while they wait; each
    // counts at least kLeastHeld, which bounds how many wait.
    static constexpr std::uint64_t kHeldBytes = 16u << 20;
    static constexpr std::uint64_t kLeastHeld = 4096;

    // Members are staged in files named strTempBase plus a worker number.
    CPackPipeline(std::string strTempBase, bool bPack, Name name);

    // False after the first failure, with its text in strError.
    bool Run(std::size_t nCount, const Source& source, const Sink& sink, std::string& strError);

private:
    struct SSlot {
        bool bDone = false;
        SPackResult result;
        std::uint64_t nHeld = 0; // what it counts against kHeldBytes
    };

    void Work(int nWorker, std::size_t nCount, const Source& source);
    // Makes the result of file nIndex and hands it to its slot; false after a failure.
    bool Make(std::size_t nIndex, const Source& source, CMemberPacker* pPacker);
    // Holds the member in memory when it fits beside those waiting, else
    // leaves it in the staging file until the caller has taken it.
    bool Deliver(std::size_t nIndex, CMemberPacker& packer, std::uint64_t nSize);
    void Publish(std::size_t nIndex, SPackResult result, std::uint64_t nHeld);
    void Fail(const std::string& strError);
    void Stop();

    std::string m_strTempBase;
    bool m_bPack;
    Name m_name;
    std::mutex m_mutex;
    std::condition_variable m_ready;
    std::condition_variable m_room;
    std::deque<SSlot> m_slots; // of files m_nConsumed up to m_nNext
    std::size_t m_nNext = 0;
    std::size_t m_nConsumed = 0;
    std::uint64_t m_nHeld = 0;
    bool m_bStop = false;
    bool m_bFailed = false;
    bool m_bOver = false; // the sink takes no more

    std::string m_strError;
};
