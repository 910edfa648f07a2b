/* Identifiers shared by the resource script and the code. */
#pragma once

#define PELMORATH_ICON_ID 1
#define PELMORATH_TRAY_HAND_ID 2

#ifdef __cplusplus
inline constexpr int kApplicationIconId = PELMORATH_ICON_ID;
inline constexpr int kTrayHandId = PELMORATH_TRAY_HAND_ID;
#endif
