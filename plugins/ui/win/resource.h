// Resource ids of qvui_dll, shared by qvui_dll.rc and the sources.
#pragma once

// The document page: an empty dialog filled by the companion library. The short
// template is for screens of 600 pixels full-screen height or less.
#define IDD_DOCUMENT_PAGE_TALL 111
#define IDD_DOCUMENT_PAGE_SHORT 112
