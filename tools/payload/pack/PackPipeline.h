// tools/payload/pack/PackPipeline.h
#pragma once

#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

class CMemberPacker;

// Makes the files of an archive on worker threads, packs them into members
// when asked, and hands the results over in order on the calling thread.
// Workers run at most a window of files ahead, which bounds the memory held.
class CPackPipeline {
public:
    // Fills the contents of file nIndex; on failure sets strError.
    using Source = std::function<bool(std::size_t nIndex, std::vector<unsigned char>& data,
                                      std::string& strError)>;
    // Takes the result of file nIndex (a member, or the contents when not packing).
    using Sink = std::function<bool(std::size_t nIndex, std::vector<unsigned char>& data,
                                    std::string& strError)>;

    // The name of file nIndex, for messages.
    using Name = std::function<std::string(std::size_t nIndex)>;

    // Members are staged in files named strTempBase plus a worker number.
    CPackPipeline(std::string strTempBase, bool bPack, Name name);

    // False after the first failure, with its text in strError.
    bool Run(std::size_t nCount, const Source& source, const Sink& sink, std::string& strError);

private:
    void Work(int nWorker, std::size_t nCount, const Source& source);
    // Makes the result of file nIndex; false after a failure.
    bool Make(std::size_t nIndex, const Source& source, CMemberPacker* pPacker,
              const std::string& strTemp);
    void Fail(const std::string& strError);
    void Stop();

    std::string m_strTempBase;
    bool m_bPack;
    Name m_name;
    std::mutex m_mutex;
    std::condition_variable m_ready;
    std::condition_variable m_room;
    std::vector<std::vector<unsigned char>> m_results;
    std::vector<bool> m_done;
    std::size_t m_nNext = 0;
    std::size_t m_nConsumed = 0;
    bool m_bStop = false;
    bool m_bFailed = false;
    std::string m_strError;
};
