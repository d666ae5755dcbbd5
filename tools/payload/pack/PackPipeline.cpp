// tools/payload/pack/PackPipeline.cpp
#include "pack/PackPipeline.h"

#include "pack/MemberPacker.h"

#include <algorithm>
#include <new>
#include <optional>
#include <thread>

namespace {

const std::size_t kWindow = 64;

int WorkerCount() {
    return static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, 8u));
}

} // namespace

CPackPipeline::CPackPipeline(std::string strTempBase, bool bPack, Name name)
    : m_strTempBase(std::move(strTempBase)), m_bPack(bPack), m_name(std::move(name)) {}

bool CPackPipeline::Run(std::size_t nCount, const Source& source, const Sink& sink,
                        std::string& strError) {
    m_results.assign(nCount, {});
    m_done.assign(nCount, false);
    m_nNext = m_nConsumed = 0;
    m_bStop = m_bFailed = false;
    m_strError.clear();
    std::vector<std::thread> workers;
    for (int i = 0; i < WorkerCount(); ++i)
        workers.emplace_back(&CPackPipeline::Work, this, i, nCount, std::cref(source));
    for (std::size_t i = 0; i < nCount; ++i) {
        std::vector<unsigned char> data;
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            m_ready.wait(lock, [&] { return m_done[i] || m_bStop; });
            if (!m_done[i])
                break;
            data.swap(m_results[i]);
            m_nConsumed = i + 1;
        }
        m_room.notify_all();
        std::string strSinkError;
        if (!sink(i, data, strSinkError)) {
            Fail(strSinkError);
            break;
        }
    }
    Stop();
    for (std::thread& worker : workers)
        worker.join();
    strError = m_strError;
    return !m_bFailed;
}

void CPackPipeline::Work(int nWorker, std::size_t nCount, const Source& source) {
    std::string strTemp = m_strTempBase + std::to_string(nWorker);
    std::optional<CMemberPacker> packer;
    if (m_bPack)
        packer.emplace(strTemp);
    for (;;) {
        std::size_t i;
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            m_room.wait(lock, [&] {
                return m_bStop || m_nNext == nCount || m_nNext < m_nConsumed + kWindow;
            });
            if (m_bStop || m_nNext == nCount)
                return;
            i = m_nNext++;
        }
        if (!Make(i, source, packer ? &*packer : nullptr, strTemp))
            return;
    }
}

bool CPackPipeline::Make(std::size_t nIndex, const Source& source, CMemberPacker* pPacker,
                         const std::string& strTemp) {
    std::vector<unsigned char> data;
    std::vector<unsigned char> member;
    // An exception here would end the program: a file too large for this
    // process's memory is said by name instead.
    try {
        std::string strError;
        if (!source(nIndex, data, strError)) {
            Fail(strError);
            return false;
        }
        if (pPacker != nullptr && !pPacker->Pack(data, member)) {
            Fail(strTemp + ": cannot make a member there");
            return false;
        }
    } catch (const std::bad_alloc&) {
        Fail(m_name(nIndex) + ": out of memory: packing it holds the whole file and its "
                              "member at once");
        return false;
    }
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_results[nIndex].swap(m_bPack ? member : data);
        m_done[nIndex] = true;
    }
    m_ready.notify_all();
    return true;
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
