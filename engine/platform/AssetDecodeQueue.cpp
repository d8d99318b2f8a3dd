#include "engine/platform/AssetDecodeQueue.h"

#include "engine/platform/audio/AudioDecoding.h"

#include <algorithm>

namespace
{
std::size_t DefaultWorkerCount()
{
    const unsigned cores = std::thread::hardware_concurrency();
    return cores > 1 ? cores - 1 : 1;
}
}

AssetDecodeQueue::AssetDecodeQueue(std::size_t workers) : workerLimit(workers != 0 ? workers : DefaultWorkerCount()) {}

AssetDecodeQueue::~AssetDecodeQueue()
{
    StopWorkers();
}

void AssetDecodeQueue::SetWorkerLimit(std::size_t limit)
{
    std::lock_guard lock(mutex);
    workerLimit = limit != 0 ? limit : DefaultWorkerCount();
    // Queued work that was waiting for a worker gets the new ones.
    for (std::size_t waiting = queue.size(); waiting > 0 && workers.size() < workerLimit; --waiting)
        workers.emplace_back([this] { WorkerLoop(); });
}

std::string AssetDecodeQueue::KeyOf(Kind kind, const std::string& path, bool loop)
{
    if (kind == Kind::Image)
        return "image:" + path;
    return (loop ? "loop:" : "once:") + path;
}

void AssetDecodeQueue::Run(Job& job)
{
    try
    {
        if (job.kind == Kind::Image)
            job.image = DecodeTextureImage(job.path);
        else
            job.sound.decoded = DecodeSoundFile(job.path, job.loop, job.sound.samples, job.sound.error);
    }
    catch (...)
    {
        job.failure = std::current_exception();
    }
}

void AssetDecodeQueue::RequestImage(const std::string& path)
{
    Request(Kind::Image, path, false);
}

void AssetDecodeQueue::RequestSound(const std::string& path, bool loop)
{
    Request(Kind::Sound, path, loop);
}

void AssetDecodeQueue::Request(Kind kind, const std::string& path, bool loop)
{
    std::lock_guard lock(mutex);
    const std::string key = KeyOf(kind, path, loop);
    if (jobs.count(key) != 0)
        return;
    auto job = std::make_unique<Job>();
    job->kind = kind;
    job->path = path;
    job->loop = loop;
    queue.push_back(job.get());
    jobs.emplace(key, std::move(job));
    if (workers.size() < workerLimit)
        workers.emplace_back([this] { WorkerLoop(); });
    jobWaiting.notify_one();
}

void AssetDecodeQueue::WorkerLoop()
{
    std::unique_lock lock(mutex);
    for (;;)
    {
        jobWaiting.wait(lock, [this] { return stopping || !queue.empty(); });
        if (stopping)
            return;
        Job* job = queue.front();
        queue.pop_front();
        job->started = true;
        lock.unlock();
        Run(*job);
        lock.lock();
        job->done = true;
        jobDone.notify_all();
    }
}

std::unique_ptr<AssetDecodeQueue::Job> AssetDecodeQueue::Take(const std::string& key)
{
    std::unique_lock lock(mutex);
    const auto found = jobs.find(key);
    if (found == jobs.end())
        return nullptr;
    Job* job = found->second.get();
    if (!job->started)
    {
        // Nobody is on it: doing it here beats waiting behind the files queued before it.
        const auto queued = std::find(queue.begin(), queue.end(), job);
        if (queued != queue.end())
            queue.erase(queued);
        job->started = true;
        lock.unlock();
        Run(*job);
        lock.lock();
        job->done = true;
    }
    jobDone.wait(lock, [job] { return job->done; });
    std::unique_ptr<Job> taken = std::move(jobs.find(key)->second);
    jobs.erase(key);
    lock.unlock();
    if (taken->failure)
        std::rethrow_exception(taken->failure);
    return taken;
}

std::optional<DecodedImage> AssetDecodeQueue::TakeImage(const std::string& path)
{
    std::unique_ptr<Job> job = Take(KeyOf(Kind::Image, path, false));
    if (!job)
        return std::nullopt;
    return std::move(job->image);
}

std::optional<DecodedSound> AssetDecodeQueue::TakeSound(const std::string& path, bool loop)
{
    std::unique_ptr<Job> job = Take(KeyOf(Kind::Sound, path, loop));
    if (!job)
        return std::nullopt;
    return std::move(job->sound);
}

void AssetDecodeQueue::Finish()
{
    StopWorkers();
    std::lock_guard lock(mutex);
    jobs.clear();
    stopping = false;
}

std::size_t AssetDecodeQueue::Outstanding() const
{
    std::lock_guard lock(mutex);
    return jobs.size();
}

void AssetDecodeQueue::StopWorkers()
{
    {
        std::lock_guard lock(mutex);
        stopping = true;
        queue.clear();
    }
    jobWaiting.notify_all();
    for (std::thread& worker : workers)
        worker.join();
    workers.clear();
}
