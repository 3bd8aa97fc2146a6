// Link frames as they arrive from a peer: the frame decoder over a stream of
// bytes, every message's payload read as its code says, and the host's
// points applied to a stadia sheet. A decoded frame encodes back to the same
// bytes, and no non-finite number reaches the sheet.
#include "fuzz_support.h"
#include "hostlink/host_link_view.h"
#include "hostlink/link_frame.h"
#include "hostlink/link_messages.h"
#include "hostlink/link_server.h"

using namespace kestrel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view bytes = fuzz::Bytes(data, size);
  fuzz::FuzzContext context;
  Stadia sheet(context.ctx);
  HostLinkView view(sheet);
  view.applyFlag = true;  // the first LINK_POINTS goes into the sheet
  for (;;) {
    LinkFrame frame;
    std::size_t consumed = 0;
    if (DecodeFrame(bytes, frame, consumed) != FrameStatus::kFrame) break;
    if (consumed > bytes.size() ||
        EncodeFrame(frame.code, frame.payload) != bytes.substr(0, consumed))
      std::abort();
    if (!PayloadSizeAllowed(frame.code, frame.payload.size())) std::abort();
    bytes.remove_prefix(consumed);
    switch (frame.code) {
      case LINK_STORE_POINTS:
        if (DecodePointRecords(frame.payload).size() * kPointRecordSize != frame.payload.size())
          std::abort();
        break;
      case kFrameResult:
        (void)DecodeResult(frame.payload);
        break;
      case kFrameBearMsg:
        (void)AnswerBearMsg(frame.payload, 1, 2);
        break;
      default:
        view.OnCopyData(frame.code, frame.payload);
        break;
    }
  }
  fuzz::RequireFiniteRows(sheet);
  for (const PointRecord& record : view.existing) {
    for (double value :
         {record.east, record.north, double(record.height), record.chainage, record.offset})
      fuzz::RequireFinite(value);
  }
  return 0;
}
