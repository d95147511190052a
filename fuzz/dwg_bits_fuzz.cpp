// Decodes a sequence of DWG bit codes chosen by the input from the rest of
// the input, then writes every value that was read with the matching writer
// and checks that it reads back the same.
//
// Input: one byte n, then n bytes of program (one operation each, some with
// a parameter byte), then the data.

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "filers/filer_dwg.h"

namespace {

enum Op : std::uint8_t {
  kBit,
  kBitPair,
  kRawChar,
  kRawShort,
  kRawLong,
  kRawDouble,
  kBitShort,
  kBitLong,
  kBitDouble,
  kDefaultDouble,
  kText,
  kHandle,
  kModularChar,
  kUnsignedModularChar,
  kModularShort,
  kRoundTripOps,  // the operations above are replayed; those below are not
  kExtrusion = kRoundTripOps,
  kThickness,
  k3BitDouble,
  k3RawDouble,
  kSkipBits,
  kSkipExtendedData,
  kSaveBitPosition,
  kRestoreBitPosition,
  kSeek,
  kCrcOfRange,
  kSeekObject,
  kAlignedShort,
  kSentinel,
  kVersion,
  kOpCount,
};

struct Value {
  Op op;
  std::uint64_t bits = 0;       // the value, doubles by their bits
  std::uint64_t reference = 0;  // DD default bits, H reference handle
  std::uint8_t code = 0;        // H code
  std::string text;
};

const double kDefaults[] = {0.0, 1.0, -1.0, 0.5, 1e10};

bool IsModular(Op op) { return op == kModularChar || op == kUnsignedModularChar || op == kModularShort; }

bool SameDouble(std::uint64_t a, std::uint64_t b) {
  return a == b || std::bit_cast<double>(a) == std::bit_cast<double>(b);
}

void Check(bool condition) {
  if (!condition) {
    __builtin_trap();
  }
}

// Reads one value of a replayable kind; false when the read fails.
bool ReadValue(FcFilerDwg& f, Value& v) {
  switch (v.op) {
    case kBit:
    case kBitPair:
    case kRawChar: {
      std::uint8_t b = 0;
      const bool ok = v.op == kBit ? f.ReadBit(b) : v.op == kBitPair ? f.ReadBitPair(b) : f.ReadRawChar(b);
      v.bits = b;
      return ok;
    }
    case kRawShort: {
      std::uint16_t s = 0;
      const bool ok = f.ReadRawShortBytes(s);
      v.bits = s;
      return ok;
    }
    case kRawLong: {
      std::uint32_t l = 0;
      const bool ok = f.ReadRawLong(l);
      v.bits = l;
      return ok;
    }
    case kRawDouble:
    case kBitDouble:
    case kDefaultDouble: {
      double d = 0.0;
      const bool ok = v.op == kRawDouble  ? f.ReadRawDouble(d)
                      : v.op == kBitDouble ? f.ReadBitDouble(d)
                                           : f.ReadDefaultDouble(std::bit_cast<double>(v.reference), d);
      v.bits = std::bit_cast<std::uint64_t>(d);
      return ok;
    }
    case kBitShort: {
      std::int16_t s = 0;
      const bool ok = f.ReadBitShort(s);
      v.bits = static_cast<std::uint16_t>(s);
      return ok;
    }
    case kBitLong: {
      std::int32_t l = 0;
      const bool ok = f.ReadBitLong(l);
      v.bits = static_cast<std::uint32_t>(l);
      return ok;
    }
    case kText:
      return f.ReadText(v.text);
    case kHandle:
      return f.ReadHandleRef(v.bits, v.reference, &v.code);
    case kModularChar:
    case kModularShort: {
      std::int32_t m = 0;
      const bool ok = v.op == kModularChar ? f.ReadModularChar(m) : f.ReadModularShort(m);
      v.bits = static_cast<std::uint32_t>(m);
      return ok;
    }
    case kUnsignedModularChar:
      return f.ReadUnsignedModularChar(v.bits);
    default:
      return false;
  }
}

void WriteValue(FcFilerDwg& f, const Value& v) {
  switch (v.op) {
    case kBit:
      f.WriteBit(static_cast<std::uint8_t>(v.bits));
      break;
    case kBitPair:
      f.WriteBit(static_cast<std::uint8_t>(v.bits >> 1));
      f.WriteBit(static_cast<std::uint8_t>(v.bits));
      break;
    case kRawChar:
      f.WriteRawByte(static_cast<std::uint8_t>(v.bits));
      break;
    case kRawShort:
      f.WriteRawShort(static_cast<std::uint16_t>(v.bits));
      break;
    case kRawLong:
      f.WriteRawLong(static_cast<std::uint32_t>(v.bits));
      break;
    case kRawDouble:
      f.WriteRawDouble(std::bit_cast<double>(v.bits));
      break;
    case kBitShort:
      f.WriteBitShort(static_cast<std::int16_t>(v.bits));
      break;
    case kBitLong:
      f.WriteBitLong(static_cast<std::int32_t>(v.bits));
      break;
    case kBitDouble:
      f.WriteBitDouble(std::bit_cast<double>(v.bits));
      break;
    case kDefaultDouble:
      f.WriteDefaultDouble(std::bit_cast<double>(v.reference), std::bit_cast<double>(v.bits));
      break;
    case kText:
      f.WriteText(v.text);
      break;
    case kHandle:
      f.WriteHandleRef(v.code, v.reference, v.bits);
      break;
    case kModularChar:
      f.WriteModularChar(static_cast<std::int32_t>(v.bits));
      break;
    case kUnsignedModularChar:
      f.WriteUnsignedModularChar(v.bits);
      break;
    case kModularShort:
      f.WriteModularShort(static_cast<std::uint32_t>(v.bits));
      break;
    default:
      break;
  }
}

// Writes the values read, then reads them back.
void RoundTrip(const std::vector<Value>& values) {
  FcFilerDwg writer;
  writer.AttachFile(std::make_unique<FcFile>(), FcFileKind::kDwg);
  for (const Value& v : values) {
    // The modular numbers start on a byte of their own.
    while (IsModular(v.op) && writer.GetBitsWritten() % 8 != 0) {
      writer.WriteBit(0);
    }
    WriteValue(writer, v);
  }
  while (writer.GetBitsWritten() % 8 != 0) {
    writer.WriteBit(0);
  }
  FcFilerDwg reader;
  reader.AttachFile(writer.DetachFile(), FcFileKind::kDwg);
  reader.Seek(0, FcSeekOrigin::kBegin);
  for (const Value& v : values) {
    if (IsModular(v.op)) {
      reader.Seek(0, FcSeekOrigin::kCurrent);
    }
    Value again{v.op, 0, v.reference, 0, {}};
    Check(ReadValue(reader, again));
    if (v.op == kRawDouble || v.op == kBitDouble || v.op == kDefaultDouble) {
      Check(SameDouble(v.bits, again.bits));
    } else {
      Check(v.bits == again.bits && v.text == again.text);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) {
    return 0;
  }
  const std::size_t program_size = std::min<std::size_t>(data[0], size - 1);
  const std::uint8_t* program = data + 1;
  const std::uint8_t* input = program + program_size;
  const std::size_t input_size = size - 1 - program_size;

  FcFilerDwg filer;
  filer.AttachFile(std::make_unique<FcFile>(std::vector<char>(input, input + input_size)), FcFileKind::kDwg);
  filer.GetObjectMap().Insert(1, 1);
  filer.GetObjectMap().Insert(2, static_cast<std::int64_t>(input_size / 2));
  std::vector<Value> values;
  std::size_t pc = 0;
  const auto parameter = [&]() -> std::uint8_t { return pc < program_size ? program[pc++] : 0; };
  while (pc < program_size) {
    const auto op = static_cast<Op>(program[pc++] % kOpCount);
    if (op < kRoundTripOps) {
      Value v{op, 0, 0, 0, {}};
      if (op == kDefaultDouble) {
        v.reference = std::bit_cast<std::uint64_t>(kDefaults[parameter() % std::size(kDefaults)]);
      } else if (op == kHandle) {
        v.reference = static_cast<std::uint64_t>(parameter()) * 0x0101010101010101u;
      }
      if (ReadValue(filer, v)) {
        values.push_back(std::move(v));
      }
      continue;
    }
    double three[3];
    double one = 0.0;
    std::uint16_t short_value = 0;
    std::int64_t record_size = 0;
    std::int16_t type = 0;
    switch (op) {
      case kExtrusion:
        filer.ReadExtrusion(three);
        break;
      case kThickness:
        filer.ReadThickness(one);
        break;
      case k3BitDouble:
        filer.Read3BitDouble(three);
        break;
      case k3RawDouble:
        filer.Read3RawDouble(three);
        break;
      case kSkipBits:
        filer.SkipBits(static_cast<std::uint64_t>(parameter()) * 3u);
        break;
      case kSkipExtendedData:
        filer.SkipExtendedData();
        break;
      case kSaveBitPosition:
        filer.SaveBitPosition();
        break;
      case kRestoreBitPosition:
        filer.RestoreBitPosition();
        break;
      case kSeek:
        filer.Seek(static_cast<std::int8_t>(parameter()), static_cast<FcSeekOrigin>(parameter() % 3));
        break;
      case kCrcOfRange: {
        const std::int64_t start = parameter();
        filer.CrcOfRange(FcFilerDwg::kObjectCrcSeed, start, start + parameter());
        break;
      }
      case kSeekObject:
        filer.SeekObject(parameter() % 3, record_size, type);
        break;
      case kAlignedShort:
        filer.ReadAlignedShort(short_value);
        break;
      case kSentinel: {
        const std::uint8_t sentinel[16] = {};
        filer.CheckSentinel(sentinel);
        break;
      }
      case kVersion:
        filer.SetVersion(parameter() % 4);
        break;
      default:
        break;
    }
  }
  RoundTrip(values);
  return 0;
}
