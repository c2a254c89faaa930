// Writes Warning.wav, the notification sound: a short two-tone chime, 16-bit mono PCM.
//   corvane_chimegen OUTPUT.wav
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <numbers>
#include <vector>

namespace {

constexpr int kRate = 22050;

void put16(std::vector<unsigned char>& b, unsigned v)
{
    b.push_back(static_cast<unsigned char>(v & 0xFF));
    b.push_back(static_cast<unsigned char>((v >> 8) & 0xFF));
}

void put32(std::vector<unsigned char>& b, unsigned v)
{
    put16(b, v & 0xFFFF);
    put16(b, v >> 16);
}

// A bell-like note: the fundamental with a softer octave, a 5 ms attack and an exponential decay.
void addNote(std::vector<double>& samples, double start, double length, double freq, double level)
{
    const int first = static_cast<int>(start * kRate);
    const int count = static_cast<int>(length * kRate);
    if (samples.size() < static_cast<size_t>(first + count))
        samples.resize(static_cast<size_t>(first + count), 0.0);
    for (int i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double attack = std::min(1.0, t / 0.005);
        const double decay = std::exp(-t * 6.0);
        const double tail = std::min(1.0, (length - t) / 0.02);
        const double wave = std::sin(2 * std::numbers::pi * freq * t) + 0.3 * std::sin(4 * std::numbers::pi * freq * t);
        samples[static_cast<size_t>(first + i)] += level * attack * decay * tail * wave;
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: corvane_chimegen OUTPUT.wav\n");
        return 1;
    }
    std::vector<double> samples;
    addNote(samples, 0.0, 0.45, 880.0, 0.45);     // A5
    addNote(samples, 0.16, 0.60, 1318.51, 0.40);  // E6

    std::vector<unsigned char> wav;
    const unsigned dataBytes = static_cast<unsigned>(samples.size() * 2);
    for (char c : {'R', 'I', 'F', 'F'}) wav.push_back(static_cast<unsigned char>(c));
    put32(wav, 36 + dataBytes);
    for (char c : {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '}) wav.push_back(static_cast<unsigned char>(c));
    put32(wav, 16);
    put16(wav, 1);  // PCM
    put16(wav, 1);  // mono
    put32(wav, kRate);
    put32(wav, kRate * 2);
    put16(wav, 2);
    put16(wav, 16);
    for (char c : {'d', 'a', 't', 'a'}) wav.push_back(static_cast<unsigned char>(c));
    put32(wav, dataBytes);
    for (double s : samples) {
        const double clipped = std::max(-1.0, std::min(1.0, s));
        put16(wav, static_cast<unsigned>(static_cast<int16_t>(std::lround(clipped * 32000.0))) & 0xFFFF);
    }
    FILE* f = std::fopen(argv[1], "wb");
    if (!f || std::fwrite(wav.data(), 1, wav.size(), f) != wav.size()) {
        std::fprintf(stderr, "corvane_chimegen: cannot write %s\n", argv[1]);
        if (f)
            std::fclose(f);
        return 1;
    }
    return std::fclose(f) == 0 ? 0 : 1;
}
