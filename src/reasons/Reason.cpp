#include "reasons/Reason.h"

namespace tovrel {

WideText Quoted(WideView text) {
  WideText quoted(1, u'\'');
  quoted += text;
  quoted += u'\'';
  return quoted;
}

}  // namespace tovrel
