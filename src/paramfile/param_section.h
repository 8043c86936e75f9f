#pragma once
// The sections of a gateway parameter file, one bit per page. Every write and read of a parameter file names
// the sections it concerns with a mask of these bits; the "Gateway" identification section always goes along.

namespace gw {

enum class ParamSection : unsigned {
  System = 0x1,
  Ethernet = 0x2,
  GsmBasic = 0x4,
  Groups = 0x8,
  Outgoing = 0x10,
  Incoming = 0x20,
  Network = 0x40,
  Lcr = 0x80,
  Autorouting = 0x100,
  Extension = 0x200,
  Holidays = 0x400,
  All = 0x7FF,
};

// A set of sections; a single section converts to the mask holding it alone.
struct SectionMask {
  unsigned bits = 0;

  constexpr SectionMask(unsigned b = 0) : bits(b) {}
  constexpr SectionMask(ParamSection s) : bits(static_cast<unsigned>(s)) {}
  bool operator==(const SectionMask&) const = default;
};

constexpr SectionMask operator|(SectionMask a, SectionMask b) {
  return SectionMask(a.bits | b.bits);
}
constexpr SectionMask operator|(ParamSection a, ParamSection b) {
  return SectionMask(a) | SectionMask(b);
}
constexpr bool hasSection(SectionMask mask, ParamSection section) {
  return (mask.bits & static_cast<unsigned>(section)) != 0;
}

}  // namespace gw
