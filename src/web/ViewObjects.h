#pragma once
// What the page shows, as plain JavaScript objects: the presentation
// library's views, the session's outcomes, the tree, the differences, the
// printed report's texts. Names of areas, switches and settings travel as
// short words ("USA", "scan", "resumeTime"); a channel as {area, index}.

#include <emscripten/val.h>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "presentation/ChannelEditorView.h"
#include "presentation/ChannelGridRows.h"
#include "presentation/CommonSetupView.h"
#include "presentation/ListSelection.h"
#include "presentation/TreeNodes.h"
#include "presentation/WeatherView.h"
#include "report/RecordingSurface.h"
#include "workspace/DataDiff.h"
#include "workspace/Workspace.h"

namespace rp770::web {

using emscripten::val;

// Text held as a file gave it, as the page shows it: the bytes as they are
// where they are valid UTF-8, else each byte as a Windows-1252 character (the
// 8-bit code page the .dat files are written in). The result is always valid
// UTF-8, so the page never gets half a character; the bytes held stay as
// they were.
std::string PageText(std::string_view bytes);
// PageText as a JavaScript string.
val PageString(const std::string& bytes);

val Strings(const std::vector<std::string>& texts);
// An object, and not null.
bool IsObject(const val& v);

// {ok, cancelled, messages}
val OutcomeObject(const Outcome& outcome);
// The outcome and how the transfer ended: {synchronised, completed, partial,
// verified, commError}.
val TransferObject(const TransferOutcome& outcome, bool commError);

std::optional<Area> AreaNamed(const std::string& name);
std::optional<ChannelFlag> FlagNamed(const std::string& name);
const char* FlagName(ChannelFlag flag);
// The editor's boxes as the page names them ("displayLeft", "rx").
const char* BoxName(presentation::EditorBox box);
std::optional<CommonField> CommonFieldNamed(const std::string& name);
val ChannelObject(ChannelRef channel);
std::optional<ChannelRef> ChannelOf(const val& object);
std::vector<ChannelRef> ChannelsOf(const val& array);

val TreeObject(const std::vector<presentation::TreeNodeInfo>& nodes);
val ScreenObject(const presentation::NodeScreen& screen);
val CommonSetupObject(const presentation::CommonSetupView& view);
val ChannelListObject(const presentation::ChannelListView& view);
val ListMenuObject(const presentation::ListMenuView& view);
val EditorObject(const presentation::ChannelEditorView& view);
val WeatherObject(const std::vector<presentation::WeatherRowView>& rows);
// [{area, channel, field, a, b, line}]
val DifferencesObject(const std::vector<Difference>& differences);
// Pages of texts in twips from the printable area's top left: [[{x, y, text}]].
val PrintedPagesObject(const std::vector<RecordedText>& texts);

}  // namespace rp770::web
