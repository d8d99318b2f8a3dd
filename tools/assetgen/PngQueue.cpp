#include "PngQueue.h"

#include <stdexcept>

namespace assetgen
{
PngQueue::PngQueue(unsigned workers)
{
    for (unsigned i = 0; i < (workers == 0 ? 1u : workers); ++i)
        threads.emplace_back([this] { Work(); });
}

PngQueue::~PngQueue()
{
    {
        std::lock_guard<std::mutex> lock(mutex);
        closing = true;
    }
    wake.notify_all();
    for (std::thread& t : threads)
        t.join();
}

void PngQueue::Write(std::string path, Image image)
{
    std::unique_lock<std::mutex> lock(mutex);
    room.wait(lock, [this] { return jobs.size() < threads.size() * 2; });
    jobs.push_back({std::move(path), std::move(image)});
    wake.notify_one();
}

void PngQueue::Finish()
{
    std::unique_lock<std::mutex> lock(mutex);
    room.wait(lock, [this] { return jobs.empty() && busy == 0; });
    if (!failures.empty())
        throw std::runtime_error("Cannot write " + failures.front());
}

void PngQueue::Work()
{
    for (;;)
    {
        Job job;
        {
            std::unique_lock<std::mutex> lock(mutex);
            wake.wait(lock, [this] { return closing || !jobs.empty(); });
            if (jobs.empty())
                return;
            job = std::move(jobs.front());
            jobs.pop_front();
            ++busy;
        }
        room.notify_all();
        bool ok = job.image.WritePng(job.path);
        {
            std::lock_guard<std::mutex> lock(mutex);
            if (!ok)
                failures.push_back(job.path);
            --busy;
        }
        room.notify_all();
    }
}
}
