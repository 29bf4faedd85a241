#include "ServerVoice.h"

#include <algorithm>

#include "PulseCalls.h"
#include "ServerOutput.h"

using serveroutput::LoopLock;

namespace {
constexpr size_t kFrameBytes = 2 * sizeof(float);
// What an effect asks of the server: started within a few milliseconds.
constexpr pa_usec_t kEffectLatency = 20 * PA_USEC_PER_MSEC;
// What the music queues: the game is asked for more about once a second.
constexpr pa_usec_t kMusicQueue = 2 * PA_USEC_PER_SEC;
// Written at most at once (the server's own bound on a stream's queue is 4 MiB).
constexpr long kChunkFrames = 16384;

void Forget(pa_operation* op) {
    if (op) pa_operation_unref(op);
}
}  // namespace

ServerVoice::ServerVoice(std::shared_ptr<const std::vector<float>> frames, bool music)
    : frames_(std::move(frames)), music_(music) {}

ServerVoice::ServerVoice(StereoSource* stream, bool music) : file_(stream), music_(music) {}

ServerVoice::~ServerVoice() {
    LoopLock lock;
    DropStream();
}

void ServerVoice::Abandon() {
    LoopLock lock;
    DropStream();
    failed_ = true;
    playing_ = false;
}

// The stream leaves the server, its callbacks silenced first.
void ServerVoice::Leave(pa_stream* s) {
    pa_stream_set_state_callback(s, nullptr, nullptr);
    pa_stream_set_write_callback(s, nullptr, nullptr);
    if (PA_STREAM_IS_GOOD(pa_stream_get_state(s))) pa_stream_disconnect(s);
}

// The channel volumes the server applies: the music's pan is in its frames.
pa_cvolume ServerVoice::Volumes() const {
    pa_cvolume volume;
    pa_cvolume_init(&volume);
    volume.channels = 2;
    for (int i = 0; i < 2; ++i) volume.values[i] = pa_sw_volume_from_linear(music_ ? volume_ : volume_ * pan_[i]);
    return volume;
}

void ServerVoice::DropStream() {
    CancelDrain();
    if (!stream_) return;
    Leave(stream_);
    pa_stream_unref(stream_);
    stream_ = nullptr;
}

bool ServerVoice::MakeStream() {
    if (stream_) return true;
    pa_context* c = serveroutput::Context();
    if (!c || pa_context_get_state(c) != PA_CONTEXT_READY) return false;
    const pa_sample_spec spec{PA_SAMPLE_FLOAT32NE, static_cast<uint32_t>(rate_), 2};
    pa_proplist* props = pa_proplist_new();
    pa_proplist_sets(props, PA_PROP_MEDIA_ROLE, music_ ? "music" : "event");
    stream_ = pa_stream_new_with_proplist(c, music_ ? "Music" : "Effect", &spec, nullptr, props);
    pa_proplist_free(props);
    if (!stream_) return false;
    failed_ = false;
    pa_stream_set_state_callback(stream_, OnState, this);
    pa_stream_set_write_callback(stream_, OnWrite, this);
    pa_buffer_attr attr;
    attr.maxlength = static_cast<uint32_t>(-1);
    attr.minreq = static_cast<uint32_t>(-1);
    attr.prebuf = static_cast<uint32_t>(-1);
    attr.fragsize = static_cast<uint32_t>(-1);
    attr.tlength = static_cast<uint32_t>(pa_usec_to_bytes(music_ ? kMusicQueue : kEffectLatency, &spec));
    int flags = PA_STREAM_VARIABLE_RATE | PA_STREAM_NOT_MONOTONIC;
    if (!music_) flags |= PA_STREAM_ADJUST_LATENCY;
    if (!playing_) flags |= PA_STREAM_START_CORKED;
    const pa_cvolume volume = Volumes();
    sent_[0] = volume.values[0];
    sent_[1] = volume.values[1];
    sentRate_ = rate_;
    laidPan_[0] = pan_[0];
    laidPan_[1] = pan_[1];
    if (pa_stream_connect_playback(stream_, nullptr, &attr, static_cast<pa_stream_flags_t>(flags), &volume, nullptr) <
        0) {
        DropStream();
        return false;
    }
    return true;
}

void ServerVoice::OnState(pa_stream* s, void* self) {
    auto* v = static_cast<ServerVoice*>(self);
    switch (pa_stream_get_state(s)) {
    case PA_STREAM_READY:
        // What changed while the server made the stream.
        v->ApplyGains();
        v->SendRate();
        v->Cork(!v->playing_);
        if (v->playing_ && v->atEnd_) v->Drain();
        break;
    case PA_STREAM_FAILED:
    case PA_STREAM_TERMINATED:
        v->failed_ = true;
        v->playing_ = false;
        break;
    default: break;
    }
}

bool ServerVoice::Ready() const { return stream_ && pa_stream_get_state(stream_) == PA_STREAM_READY; }

void ServerVoice::Cork(bool corked) {
    if (Ready()) Forget(pa_stream_cork(stream_, corked ? 1 : 0, nullptr, nullptr));
}

long ServerVoice::Read(float* out, long frames) {
    if (file_) return file_->ReadStereo(out, frames);
    const size_t total = frames_->size() / 2;
    long have = 0;
    while (have < frames) {
        if (pos_ >= total) {
            if (!looping_ || total == 0) break;
            pos_ = 0;
        }
        const size_t n = std::min<size_t>(total - pos_, static_cast<size_t>(frames - have));
        std::copy_n(frames_->data() + 2 * pos_, 2 * n, out + 2 * have);
        pos_ += n;
        have += static_cast<long>(n);
    }
    return have;
}

void ServerVoice::OnWrite(pa_stream*, size_t bytes, void* self) { static_cast<ServerVoice*>(self)->Feed(bytes); }

void ServerVoice::Feed(size_t bytes) {
    if (!Ready() || atEnd_) return;
    std::vector<float> chunk;
    long want = static_cast<long>(bytes / kFrameBytes);
    // A short effect goes whole in its first write: nothing more to wait for.
    if (!music_ && frames_ && !looping_)
        want = std::max(want, std::min<long>(static_cast<long>(frames_->size() / 2), 1 << 18));
    while (want > 0) {
        const long n = std::min(want, kChunkFrames);
        chunk.resize(static_cast<size_t>(n) * 2);
        const long got = Read(chunk.data(), n);
        if (got <= 0) {
            atEnd_ = true;
            if (playing_) Drain();
            return;
        }
        if (music_) LayPan(chunk.data(), got);
        if (pa_stream_write(stream_, chunk.data(), static_cast<size_t>(got) * kFrameBytes, nullptr, 0,
                            PA_SEEK_RELATIVE) < 0)
            return;
        want -= got;
    }
}

// The pan moves from where the last write left it to where it is now over
// the frames written, so a step of the sweep makes no click.
void ServerVoice::LayPan(float* frames, long count) {
    if (laidPan_[0] == 1.0 && laidPan_[1] == 1.0 && pan_[0] == 1.0 && pan_[1] == 1.0) return;
    for (int side = 0; side < 2; ++side) {
        const double from = laidPan_[side], step = (pan_[side] - from) / static_cast<double>(count);
        for (long i = 0; i < count; ++i) frames[2 * i + side] *= static_cast<float>(from + step * (i + 1));
        laidPan_[side] = pan_[side];
    }
}

void ServerVoice::Drain() {
    if (drain_ || !Ready()) return;
    drain_ = pa_stream_drain(stream_, OnDrained, this);
}

void ServerVoice::CancelDrain() {
    if (!drain_) return;
    pa_operation_cancel(drain_);
    pa_operation_unref(drain_);
    drain_ = nullptr;
}

void ServerVoice::OnDrained(pa_stream* s, int success, void* self) {
    auto* v = static_cast<ServerVoice*>(self);
    Forget(v->drain_);
    v->drain_ = nullptr;
    if (!success || !v->atEnd_) return;
    // Played to its end: the stream leaves the server (even resting, an
    // effect's low latency would keep the server waking), and the next play
    // makes another from the beginning.
    v->finished_ = true;
    v->playing_ = false;
    Leave(s);
}

void ServerVoice::Rewind(long frame) {
    CancelDrain();
    if (Ready()) Forget(pa_stream_flush(stream_, nullptr, nullptr));
    if (file_) file_->SeekFile(frame);
    else pos_ = static_cast<size_t>(std::max(0L, frame));
    atEnd_ = finished_ = false;
}

bool ServerVoice::Play(bool looping) {
    LoopLock lock;
    if (failed_ || finished_) DropStream();
    if (finished_) Rewind(0);
    looping_ = looping;
    if (file_) file_->looping = looping;
    playing_ = true;
    if (!MakeStream()) {
        playing_ = false;
        return false;
    }
    if (!Ready()) return true;  // it starts when the server has made the stream
    Cork(false);
    if (atEnd_) Drain();
    else Feed(pa_stream_writable_size(stream_));
    return true;
}

void ServerVoice::Stop() {
    LoopLock lock;
    playing_ = false;
    CancelDrain();
    Cork(true);
}

void ServerVoice::Seek(long frame) {
    LoopLock lock;
    Rewind(frame);
    if (Ready()) Feed(pa_stream_writable_size(stream_));
}

void ServerVoice::SetRate(long rate) {
    LoopLock lock;
    rate_ = rate;
    SendRate();
}

// Under the connection's lock, which a callback already holds.
void ServerVoice::SendRate() {
    if (!Ready() || sentRate_ == rate_) return;
    sentRate_ = rate_;
    Forget(pa_stream_update_sample_rate(stream_, static_cast<uint32_t>(rate_), nullptr, nullptr));
}

void ServerVoice::SetGains(double volume, double left, double right) {
    LoopLock lock;
    volume_ = volume;
    pan_[0] = left;
    pan_[1] = right;
    ApplyGains();
}

void ServerVoice::ApplyGains() {
    if (!Ready()) return;
    const pa_cvolume volume = Volumes();
    if (volume.values[0] == sent_[0] && volume.values[1] == sent_[1]) return;
    sent_[0] = volume.values[0];
    sent_[1] = volume.values[1];
    Forget(pa_context_set_sink_input_volume(serveroutput::Context(), pa_stream_get_index(stream_), &volume, nullptr,
                                            nullptr));
}
