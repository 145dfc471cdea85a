#include "Commands.h"
#include "Tovrel.h"

namespace tovrel::tool {
namespace {

const CommandRegistration kXmlGet{"xml-get", {"FILE PATH", 2, [](const Arguments& a) {
                                                return Text(XMLGetNode(a[0].c_str(), a[1].c_str()));
                                              }}};

const CommandRegistration kXmlAdd{
    "xml-add", {"FILE PATH VALUE", 3, [](const Arguments& a) {
                  return std::to_string(XMLAddNode(a[0].c_str(), a[1].c_str(), a[2].c_str()));
                }}};

const CommandRegistration kMyDllFunc{
    "my-dll-func", {"PREFIX", 1, [](const Arguments& a) { return Text(MyDllFunc(a[0].c_str())); }}};

}  // namespace
}  // namespace tovrel::tool
