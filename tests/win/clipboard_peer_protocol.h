// What the capture tests and their clipboard peer program agree on.
#pragma once
#include <windows.h>

constexpr const wchar_t* peerViewerClass = L"ClipboardPeerViewer";
// Sent to a peer viewer window: answers the number of clipboard notices it has had.
constexpr UINT peerNoticeCount = WM_APP + 1;
// Sent to a peer viewer window: answers the viewer that follows it in the chain.
constexpr UINT peerNextViewer = WM_APP + 2;
