// The settings file of the correlation analysis, "Analyzer.xml" in the host's
// application-data directory: the readers (all sets for the settings dialog, the current
// set for the analyzer) and the writers (the general settings, one band, everything).
//
// File layout (element order as a full save writes it; writers append what is missing as
// the last child of its parent, foreign elements and attributes are left alone):
//   <VelmoraAnalyzer>
//     <XCorrAnalyzer version="2">
//       <CurrentStatParam>RXy</CurrentStatParam>           set name (StatParamName)
//       <MagnitudeDifference>true</MagnitudeDifference>
//       <MagnitudeDifferenceLimit>0.25</MagnitudeDifferenceLimit>
//       <StatParams name="LRxy">                            one per set with bands
//         <Band><MinFreq>1000</MinFreq><MaxFreq>100000</MaxFreq><Label>LF</Label>
//               <Normal set="true" start="0.99"/>
//               <Suspect set="true" start="0.9" end="0.99"/>
//               <Obvious set="true" end="0.9"/></Band>
// Booleans are "true"/"false" (read: "true" in any case); numbers are BandNumberText and
// read back to exactly the value written. Missing elements read as: "MagnitudeDifference"
// true, "MagnitudeDifferenceLimit" 0.25, band edges 0, label empty, flags false,
// thresholds 0.
//
// Every call loads the file anew, changes it and saves it; no document stays open. Each
// writer holds the file's lock (CFileLock) for its whole read-change-write, so writers in
// other processes do not lose each other's changes. Every save replaces the file
// atomically (through a symbolic link to a regular file, never over a file the user may
// not write: SaveDocument), and a full save builds the new document beside the old file
// and replaces it only once complete, so a reader finds the old or the new settings,
// never a mixture. A file that exists but cannot be read is kept beside the new one
// (Analyzer.xml.unreadable, .unreadable.2, ...) before a writer replaces it. A failed save
// shows "Could not write to file %s." with the file's path (error box) and leaves the file
// as it was.
#pragma once

#include <string>

#include "module/bands/FreqBand.h"
#include "module/bands/SettingsReadout.h"
#include "module/bands/StatParams.h"

// GetOxAppDataDir() + "/Analyzer.xml", computed anew by every call.
std::wstring SettingsFilePath();

// What the readers make of the file: kRead when it holds settings; else whether it is
// missing, or why it cannot be read (`reason`: the parser's "line N: message", or what
// the document lacks).
SettingsFileState InspectSettingsFile(std::wstring* reason);

// Fills `settings` (its three band arrays empty) from the file: the general settings and,
// for every "StatParams" element in document order, its bands appended to the set its name
// maps to (that set's technique set to its index). False, with nothing changed, when the
// file cannot be loaded or has no root, no settings element or no "CurrentStatParam".
bool LoadAllSettings(XCorrSettings& settings);

// As LoadAllSettings, but only the bands of the current set are appended to `bands`, and
// the general settings go to the out values (unchanged when it answers false).
bool LoadCurrentSet(CFreqBandArray& bands, int& currentSet, bool& magnitudeDifference,
                    double& magnitudeDifferenceLimit);

// Writes the three general settings.
bool SaveGeneralSettings(int currentSet, bool magnitudeDifference,
                         double magnitudeDifferenceLimit);

// Writes `band` into the set of `technique` (the first "StatParams" whose name maps to
// it, appended when none does): into the first "Band" whose edges each lie within
// 2.220446049250313e-16 of the old edges, or into a new "Band" appended at the end when
// the old edges are both 0 (a new band) or no "Band" matches them.
bool SaveBand(const tagFREQBAND& band, int technique, double oldMinFreq, double oldMaxFreq);

// SaveBand into the file's current set. When the file cannot be read (so it names no
// current set) the band goes to `fallbackSet`, the set the caller shows.
bool SaveEditedBand(const tagFREQBAND& band, double oldMinFreq, double oldMaxFreq,
                    int fallbackSet = STAT_RXY);

// Replaces the whole file by `settings`: the general settings, then every band of the sets
// in technique order (a set without bands gets no "StatParams"). The new content is built
// in Analyzer.xml.saving with one save per step and saved over the file only when every
// step succeeded; each failed step shows its message. Answers true.
bool SaveAllSettings(const XCorrSettings& settings);
