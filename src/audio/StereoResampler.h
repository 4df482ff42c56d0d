#pragma once
#include <cstdint>
#include <vector>

struct AVFrame;
struct SwrContext;

// Converts decoded frames of any layout, sample format and rate into interleaved float stereo at the
// output rate. Built afresh for every start, so no filter history leaks from one start into the next.
// Runs on whichever thread holds the owning decoder (UI thread at a start, decoder thread after).
class StereoResampler {
  public:
    explicit StereoResampler(int outputRate);
    ~StereoResampler();
    StereoResampler(const StereoResampler&) = delete;
    StereoResampler& operator=(const StereoResampler&) = delete;

    // Forgets the current converter; the next convert() builds one for the frames it gets.
    void reset();
    // Appends the frame's samples from skipSamples on to out (interleaved stereo). False on failure.
    bool convert(const AVFrame* frame, int skipSamples, std::vector<float>& out);
    // Appends what the converter still holds back (the filter tail) at the end of a title.
    void drain(std::vector<float>& out);

  private:
    bool build(const AVFrame* frame);
    bool fits(const AVFrame* frame) const;
    int run(const std::uint8_t** input, int inputSamples, std::vector<float>& out);

    const int outputRate_;
    SwrContext* swr_ = nullptr;
    int inRate_ = 0;
    int inFormat_ = -1;
    int inChannels_ = 0;
    std::vector<const std::uint8_t*> planes_;
};
