#pragma once
// The small exception classes by which the JPEG decoder reports faults
// inside, and the result codes it turns them into at its boundary. They are thrown by value and
// caught by class; their fields are informative only: the class alone decides a result code.
#include <cstdint>
#include <new>

// Reading past the end of the data; names the reading operation.
struct EBufferError {
  const char* operation;
};

// A malformed marker segment or malformed entropy-coded data.
struct EDataFormatError {
  const std::uint8_t* position;  // the offending byte, or null
  const char* message;
};

// A JPEG process or frame layout this decoder does not handle.
struct ENotSupported {
  std::int32_t marker;
  const std::uint8_t* position;
};

// A table index beyond its limit.
struct EIndexError {
  std::int32_t limit;
  std::int32_t index;
  const char* message;
};

// A failed (or refused) allocation.
struct EMemoryError {
  std::uint32_t amount;
  const char* message;
};

// The result codes of the decoder's public operations.
inline constexpr std::int32_t kDecoderOk = 0;
inline constexpr std::int32_t kDecoderFault = -1;    // memory, or a fault while decoding the scan
inline constexpr std::int32_t kDecoderBadData = -2;  // data this decoder cannot take

// The decoder's two public operations map some faults differently: a table
// index or the data's end is bad data while the markers are analysed, and a
// fault of the decoding itself afterwards.
enum class DecoderStage { kAnalysis, kDecode };

// Runs body, which returns a result code; a fault it throws becomes the code
// of its class at that stage. The one place where exceptions become codes.
template <class Body>
std::int32_t WithResultCodes(DecoderStage stage, Body&& body) {
  const std::int32_t readingFault =
      stage == DecoderStage::kDecode ? kDecoderFault : kDecoderBadData;
  try {
    return body();
  } catch (const EMemoryError&) {
    return kDecoderFault;
  } catch (const EIndexError&) {
    return readingFault;
  } catch (const EBufferError&) {
    return readingFault;
  } catch (const EDataFormatError&) {
    return kDecoderBadData;
  } catch (const ENotSupported&) {
    return kDecoderBadData;
  } catch (const std::bad_alloc&) {
    return kDecoderFault;  // as EMemoryError: nothing thrown leaves the decoder
  }
}
