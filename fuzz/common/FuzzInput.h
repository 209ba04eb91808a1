// Reads a fuzz input as a stream of small values; past the end every read gives zeros.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class FuzzInput
{
  public:
    FuzzInput(const uint8_t* data, size_t size) : FData(data), FSize(size) {}

    bool Empty() const { return FAt >= FSize; }
    size_t Remaining() const { return FSize - FAt; }
    uint8_t Byte() { return FAt < FSize ? FData[FAt++] : 0; }
    uint16_t Word()
    {
        const uint16_t lo = Byte();
        return static_cast<uint16_t>(lo | (Byte() << 8));
    }
    int32_t Int()
    {
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i)
            v |= static_cast<uint32_t>(Byte()) << (8 * i);
        return static_cast<int32_t>(v);
    }
    // Up to n bytes, fewer at the end of the input.
    std::vector<uint8_t> Bytes(size_t n)
    {
        const size_t take = n < Remaining() ? n : Remaining();
        std::vector<uint8_t> out(FData + FAt, FData + FAt + take);
        FAt += take;
        return out;
    }

  private:
    const uint8_t* FData;
    size_t FSize;
    size_t FAt = 0;
};
