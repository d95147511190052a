#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "filers/file_kind.h"
#include "filers/file_object.h"
#include "filers/skipped_records.h"

class FcGraph;
struct FcResBuf;

// The stream through which drawing files and line-based support files are
// read and written: DXF groups in ASCII or binary form, text lines, and the
// progress shown while a drawing is read or written. One filer serves one
// open, read or write of one file on one thread.
class FcFiler {
 public:
  FcFiler();
  virtual ~FcFiler();
  FcFiler(const FcFiler&) = delete;
  FcFiler& operator=(const FcFiler&) = delete;

  // Opens a disk file (flags as FcFile::Open). Reading records the length
  // for the progress and, for kinds DWG, ASCII and binary DXF, replaces the
  // kind by what the file holds; writing binary DXF writes the sentinel.
  // False, without an open file, when the file cannot be opened.
  bool Open(const std::string& path, unsigned flags, FcFileKind kind);
  // Makes a file that the caller built (a memory file) the filer's file,
  // positioned where it stands, with the given kind and no detection; the
  // progress length is its length.
  void AttachFile(std::unique_ptr<FcFile> file, FcFileKind kind);
  // Hands the file back to the caller; the filer is left without one.
  std::unique_ptr<FcFile> DetachFile();
  // Flushes and closes the file; false when any write failed.
  bool Close();

  // Reads one group into the node: its code into the type field and the
  // value into the field its code class uses (other fields keep what they
  // held). False at the end of the data or on a malformed group.
  bool ReadGroup(FcResBuf& node);
  // A place in the file to come back to: where the next group starts and,
  // in ASCII files, its line.
  struct Place {
    std::int64_t position = 0;
    std::int32_t line = 0;
  };
  Place GetPlace() const;
  void SeekToPlace(const Place& place);
  // Steps back to the start of the last group read, so that the next
  // ReadGroup returns it again.
  void UnreadGroup();
  void SetMark();
  void SeekToMark();
  // Passes over a record of a kind the reader does not know, up to the next
  // group 0, which is left to be read again: 0, or 1 when the data ends
  // first.
  int SkipToNextEntity();

  // Reads one line (ended by CR, LF, CR LF or LF CR; the break is not part
  // of the line); false only when no byte at all could be read.
  bool ReadLine(std::string& out);
  // Reads up to and including a NUL; the text before it is the result.
  bool ReadBinaryString(std::string& out);
  // Reads a length byte and that many bytes, given as upper-case
  // hexadecimal text with two digits per byte.
  bool ReadBinaryChunk(std::string& out);

  // Write one group in the form of the filer's kind. They raise
  // FcFileException when the file cannot take the bytes.
  void WriteReal(std::int16_t code, double value);
  void WriteInt(std::int16_t code, std::int32_t value);
  void WriteHandle(std::int16_t code, std::uint64_t handle);
  void WriteString(std::int16_t code, const char* text);
  void WriteString(std::int16_t code, std::string_view text);

  // Writers announce their unit total, then step through it.
  void SetProgressTotal(std::uint64_t total);
  void StepProgress(std::uint32_t count);

  std::string GetFileName() const;
  std::string GetFilePath() const;
  // The new position, or -1 when there is no file or the target lies before
  // its start.
  virtual std::int64_t Seek(std::int64_t offset, FcSeekOrigin origin);

  FcFile* GetFile() const { return file_.get(); }
  FcFileKind GetKind() const { return kind_; }
  void SetKind(FcFileKind kind) { kind_ = kind; }
  FcGraph* GetGraph() const { return graph_; }
  void SetGraph(FcGraph* graph) { graph_ = graph; }
  int GetPrecision() const { return precision_; }
  void SetPrecision(int precision) { precision_ = precision; }
  std::int32_t GetLineCount() const { return lineCount_; }
  bool HasSkippedRecords() const { return skippedRecords_ != 0; }
  // Readers call this when they pass over a record of an unknown kind.
  void SetSkippedRecords() { skippedRecords_ = 1; }
  // The same, counting the record under its (upper-case) record name.
  void CountSkippedRecord(const std::string& name) {
    skippedRecords_ = 1;
    ++skippedByKind_[name];
  }
  const FcSkippedRecords& GetSkippedByKind() const { return skippedByKind_; }

 protected:
  void DetectKind();
  // ReadLine without the copy: the view points into the file's buffer and
  // holds until the next write.
  bool ReadLineView(std::string_view& out);
  bool ReadAsciiGroup(FcResBuf& node);
  bool ReadAsciiPoint(FcResBuf& node, int code, std::string_view x_line);
  bool ReadBinaryGroup(FcResBuf& node);
  void CheckReadProgress();
  // Sends a progress percentage when done has moved more than one step
  // past the last report or has reached total.
  void ReportProgress(std::uint64_t done, std::uint64_t total);
  void WriteBytes(const void* data, std::size_t count);

  std::uint64_t progressStep_ = 0;
  std::uint64_t progressCount_ = 0;
  std::uint64_t lastReported_ = 0;
  // The file position before which CheckReadProgress has nothing to do.
  std::int64_t nextReadCheck_ = 0;
  std::unique_ptr<FcFile> file_;
  FcFileKind kind_ = FcFileKind::kAsciiDxf;
  // Scratch for the ASCII group being written, or the text being read.
  std::string textBuffer_;
  std::int32_t lineCount_ = 0;
  std::uint64_t length_ = 0;
  std::int64_t groupStartPosition_ = 0;
  std::int32_t groupStartLine_ = 0;
  std::int64_t markPosition_ = 0;
  std::int32_t markLine_ = 0;
  int precision_ = 15;
  FcGraph* graph_ = nullptr;
  std::uint8_t skippedRecords_ = 0;
  FcSkippedRecords skippedByKind_;
};
