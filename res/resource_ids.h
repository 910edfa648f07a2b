/* Identifiers shared by the resource script and the code. */
#pragma once

#define PELMORATH_ICON_ID 1

#ifdef __cplusplus
inline constexpr int kApplicationIconId = PELMORATH_ICON_ID;
#endif
