#pragma once
#include "Image.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace assetgen
{
// Encodes and writes PNG files on worker threads while drawing goes on. Every file depends only
// on its own picture, so the output is the same whatever the order the workers finish in.
class PngQueue
{
public:
    explicit PngQueue(unsigned workers);
    ~PngQueue();
    PngQueue(const PngQueue&) = delete;
    PngQueue& operator=(const PngQueue&) = delete;

    // Takes the picture; blocks while too many pictures wait.
    void Write(std::string path, Image image);
    // Waits for every queued file; throws naming the first file that could not be written.
    void Finish();

private:
    struct Job
    {
        std::string path;
        Image image;
    };
    void Work();

    std::mutex mutex;
    std::condition_variable wake;
    std::condition_variable room;
    std::deque<Job> jobs;
    size_t busy = 0;
    bool closing = false;
    std::vector<std::string> failures;
    std::vector<std::thread> threads;
};
}
