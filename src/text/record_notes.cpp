#include "text/record_notes.hpp"

namespace tessadro {
namespace {
// Set by the year report before its run starts; the legacy run never sets it.
RecordListener* listener_of_run = nullptr;
}  // namespace

void listen_to_records(RecordListener* listener) { listener_of_run = listener; }
RecordListener* record_listener() { return listener_of_run; }

}  // namespace tessadro
