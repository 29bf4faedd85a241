#pragma once
// A random source that hands out scripted values and counts every draw, and
// a clock that shows a fixed time.
#include <deque>
#include <random>
#include <string>

#include "platform/runtime/Random.h"
#include "platform/runtime/TimeOfDay.h"

class ScriptedRandom : public RandomSource {
public:
    // Values queued with Push come first; after them a seeded generator.
    explicit ScriptedRandom(uint32_t seed = 1) : fallback_(seed) {}
    void Push(float v) { queue_.push_back(v); }
    void Push(std::initializer_list<float> vs) { queue_.insert(queue_.end(), vs); }
    void PushN(int n, float v) { queue_.insert(queue_.end(), static_cast<size_t>(n), v); }
    float Rnd() override {
        ++draws;
        if (!queue_.empty()) {
            const float v = queue_.front();
            queue_.pop_front();
            return v;
        }
        return fallback_.Rnd();
    }
    size_t Queued() const { return queue_.size(); }
    long draws = 0;

private:
    std::deque<float> queue_;
    DefaultRandom fallback_;
};

class FixedClock : public TimeOfDay {
public:
    explicit FixedClock(std::string time = "12:00:00", std::string date = "06.12.2026")
        : time_(std::move(time)), date_(std::move(date)) {}
    std::string TimeText() override { return time_; }
    std::string ShortDate() override { return date_; }
    void Set(std::string time) { time_ = std::move(time); }

private:
    std::string time_, date_;
};
