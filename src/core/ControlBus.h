// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Names of Tivren's own session-bus service, shared by the running program and tivrenctl.
namespace tivren::ControlBus {

inline constexpr char serviceName[] = "org.tivren.Tivren";
inline constexpr char objectPath[] = "/org/tivren/Tivren";
inline constexpr char interfaceName[] = "org.tivren.Tivren1";

// Every refusal of Tivren's is named under errorPrefix; its message is meant for the user.
inline constexpr char errorPrefix[] = "org.tivren.Tivren.Error.";
inline constexpr char unknownProjectError[] = "org.tivren.Tivren.Error.UnknownProject";
inline constexpr char ambiguousProjectError[] = "org.tivren.Tivren.Error.AmbiguousProject";
inline constexpr char readOnlyError[] = "org.tivren.Tivren.Error.ReadOnly";
inline constexpr char loadingError[] = "org.tivren.Tivren.Error.Loading";
inline constexpr char notSavedError[] = "org.tivren.Tivren.Error.NotSaved";
inline constexpr char unreadableImportError[] = "org.tivren.Tivren.Error.UnreadableImport";
inline constexpr char noAwayQuestionError[] = "org.tivren.Tivren.Error.NoAwayQuestion";

} // namespace tivren::ControlBus
