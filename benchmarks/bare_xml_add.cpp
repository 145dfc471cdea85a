// bare_xml_add FILE: what "tovrel xml-add FILE r.NEW.KEY v" does, with libxml2 alone; the
// yardstick of xml_process_bench.
#include "support/BareXmlAdd.h"

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  return tovrel::bench::BareXmlAdd(argv[1]) ? 0 : 1;
}
