#pragma once
#include "engine/platform/ImageLoading.h"
#include "engine/platform/audio/SoundSamples.h"

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

// A sound file decoded to the output rate, or why it could not be.
struct DecodedSound
{
    bool decoded = false;
    SoundSamples samples;
    std::string error;
};

// Decodes image and sound files on worker threads ahead of the staged loader. The loader asks
// for the files a stage will need, in the order it will use them, and then takes each result
// on its own thread in that order, so GL uploads and every store and list update stay where
// and when they were; only the decoding runs alongside. Decoding reads files and nothing else:
// a request for a file that is never taken costs time but changes nothing.
class AssetDecodeQueue
{
public:
    // `workers` decoding threads at most (0 picks one fewer than the machine has cores, at
    // least one); they start with the first request.
    explicit AssetDecodeQueue(std::size_t workers = 0);
    // Drops what has not started and waits for what has.
    ~AssetDecodeQueue();
    AssetDecodeQueue(const AssetDecodeQueue&) = delete;
    AssetDecodeQueue& operator=(const AssetDecodeQueue&) = delete;

    // At most this many workers from now on (0: the default); running workers are not stopped.
    void SetWorkerLimit(std::size_t limit);

    // Queues the file for decoding; a file already queued (and not yet taken) is not queued twice.
    void RequestImage(const std::string& path);
    void RequestSound(const std::string& path, bool loop);

    // The decoded file, waiting while a worker decodes it and decoding it here when no worker
    // has started on it yet. Empty when it was never requested (or was taken already). A failure
    // other than an unreadable file (running out of memory) is thrown here, on the taker's thread.
    std::optional<DecodedImage> TakeImage(const std::string& path);
    std::optional<DecodedSound> TakeSound(const std::string& path, bool loop);

    // Forgets every result nobody took and lets the workers end; later requests start them again.
    void Finish();

    // Requests not taken yet, decoded or not.
    std::size_t Outstanding() const;

private:
    enum class Kind
    {
        Image,
        Sound,
    };
    struct Job
    {
        Kind kind = Kind::Image;
        std::string path;
        bool loop = false;
        bool started = false;
        bool done = false;
        DecodedImage image;
        DecodedSound sound;
        std::exception_ptr failure;
    };

    static std::string KeyOf(Kind kind, const std::string& path, bool loop);
    static void Run(Job& job);
    void Request(Kind kind, const std::string& path, bool loop);
    // Waits for the job of that key (or runs it here) and removes it; null when there is none.
    std::unique_ptr<Job> Take(const std::string& key);
    void WorkerLoop();
    void StopWorkers();

    std::size_t workerLimit;
    mutable std::mutex mutex;
    std::condition_variable jobWaiting;
    std::condition_variable jobDone;
    std::map<std::string, std::unique_ptr<Job>> jobs;
    std::deque<Job*> queue;
    std::vector<std::thread> workers;
    bool stopping = false;
};
