// tools/payload/pack/PackPipeline.cpp
#include "pack/PackPipeline.h"

#include "pack/MemberPacker.h"

#include <algorithm>
#include <new>
#include <optional>
#include <thread>
#include <vector>

namespace {

int WorkerCount() {
    return static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, 8u));
}

} // namespace

CPackPipeline::CPackPipeline(std::string strTempBase, bool bPack, Name name)
    : m_strTempBase(std::move(strTempBase)), m_bPack(bPack), m_name(std::move(name)) {}

bool CPackPipeline::Run(std::size_t nCount, const Source& source, const Sink& sink,
                        std::string& strError) {
    m_slots.clear();
    m_nNext = m_nConsumed = 0;
    m_nHeld = 0;
    m_bStop = m_bFailed = m_bOver = false;
    m_strError.clear();
    std::vector<std::thread> workers;
    for (int i = 0; i < WorkerCount(); ++i)
        workers.emplace_back(&CPackPipeline::Work, this, i, nCount, std::cref(source));
    for (std::size_t i = 0; i < nCount; ++i) {
        SSlot slot;
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            m_ready.wait(lock, [&] { return m_bStop || (!m_slots.empty() && m_slots[0].bDone); });
            if (m_slots.empty() || !m_slots[0].bDone)
                break;
            slot = std::move(m_slots[0]);
        }
        std::string strSinkError;
        const bool bTaken = sink(i, slot.result, strSinkError);
        {
            // The slot goes only now: a worker waits with a member in its
            // staging file until the sink has read it.
            std::lock_guard<std::mutex> lock(m_mutex);
            m_slots.pop_front();
            m_nConsumed = i + 1;
            m_nHeld -= slot.nHeld;
        }
        m_room.notify_all();
        if (!bTaken) {
            Fail(strSinkError);
            break;
        }
    }
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_bOver = true;
    }
    Stop();
    for (std::thread& worker : workers)
        worker.join();
    strError = m_strError;
    return !m_bFailed;
}

void CPackPipeline::Work(int nWorker, std::size_t nCount, const Source& source) {
    std::optional<CMemberPacker> packer;
    if (m_bPack)
        packer.emplace(m_strTempBase + std::to_string(nWorker));
    for (;;) {
        std::size_t i;
        {
            // Results are taken in order, so while the next one is not made,
            // every waiting one is taken and nothing is held: no deadlock.
            std::unique_lock<std::mutex> lock(m_mutex);
            m_room.wait(lock, [&] { return m_bStop || m_nNext == nCount || m_nHeld < kHeldBytes; });
            if (m_bStop || m_nNext == nCount)
                return;
            i = m_nNext++;
            m_slots.emplace_back();
        }
        if (!Make(i, source, packer ? &*packer : nullptr))
            return;
    }
}

bool CPackPipeline::Make(std::size_t nIndex, const Source& source, CMemberPacker* pPacker) {
    // An exception on this thread would end the program: running out of
    // memory is said with the file's name instead.
    try {
        std::string strError;
        SPackResult result;
        bool bPutFailed = false;
        auto put = [&](const unsigned char* pData, std::size_t nSize) {
            if (pPacker == nullptr)
                result.bytes.insert(result.bytes.end(), pData, pData + nSize);
            else if (!pPacker->Add(pData, nSize))
                bPutFailed = true;
            return !bPutFailed;
        };
        std::uint64_t nMember = 0;
        const bool bMade = (pPacker == nullptr || pPacker->Begin()) &&
                           source(nIndex, put, strError) &&
                           (pPacker == nullptr || pPacker->Finish(nMember));
        if (!bMade) {
            // The packer fails without a text of its own.
            if (pPacker != nullptr && (bPutFailed || strError.empty()))
                strError = pPacker->GetPath() + ": cannot make a member there";
            Fail(strError);
            return false;
        }
        if (pPacker != nullptr)
            return Deliver(nIndex, *pPacker, nMember);
        result.nSize = result.bytes.size();
        const std::uint64_t nHeld = std::max(result.nSize, kLeastHeld);
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_nHeld += nHeld;
        }
        Publish(nIndex, std::move(result), nHeld);
        return true;
    } catch (const std::bad_alloc&) {
        Fail(m_name(nIndex) + ": out of memory while packing it; packing needs up to " +
             std::to_string((kHeldBytes + 2 * WorkerCount() * SPackResult::kPiece) >> 20) +
             " MiB, whatever the files' sizes");
        return false;
    }
}

bool CPackPipeline::Deliver(std::size_t nIndex, CMemberPacker& packer, std::uint64_t nSize) {
    const std::uint64_t nHeld = std::max(nSize, kLeastHeld);
    bool bHold;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        bHold = m_nHeld + nHeld <= kHeldBytes;
        if (bHold)
            m_nHeld += nHeld;
    }
    SPackResult result;
    result.strFile = packer.GetPath();
    result.nSize = nSize;
    if (bHold) {
        if (!result.Load()) {
            Fail(packer.GetPath() + ": cannot read the member back");
            return false;
        }
        Publish(nIndex, std::move(result), nHeld);
        return true;
    }
    Publish(nIndex, std::move(result), 0);
    // Also after a failure, the sink may still be reading the file.
    std::unique_lock<std::mutex> lock(m_mutex);
    m_room.wait(lock, [&] { return m_bOver || m_nConsumed > nIndex; });
    return !m_bStop;
}

void CPackPipeline::Publish(std::size_t nIndex, SPackResult result, std::uint64_t nHeld) {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        SSlot& slot = m_slots[nIndex - m_nConsumed];
        slot.result = std::move(result);
        slot.nHeld = nHeld;
        slot.bDone = true;
    }
    m_ready.notify_all();
}

// Keeps the first failure's text and stops the run.
void CPackPipeline::Fail(const std::string& strError) {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_bFailed)
            m_strError = strError;
        m_bFailed = true;
    }
    Stop();
}

void CPackPipeline::Stop() {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_bStop = true;
    }
    m_ready.notify_all();
    m_room.notify_all();
}
