#pragma once

class CurrentPumpPage;
class SoaPage;

// The exchange between the current pump and the SOA page: field texts copied
// across, then the receiver recomputed. Neither page knows the other.

// The SOA page's amplifier, load, signal frequency and the extremes of its
// load current into the pump.
void ImportSOAtoIHCP(const SoaPage &soa, CurrentPumpPage &pump);

// The pump's amplifier, R_S plus the load in series, the frequency and the
// current range as a current signal into the SOA page, one amplifier, not
// bridged; the SOA page is rebuilt and recomputed.
void ExportIHCPtoSOA(const CurrentPumpPage &pump, SoaPage &soa);
