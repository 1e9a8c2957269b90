#pragma once
// "Modify Segment Description": reads one segment's description of the expander module,
// lets the operator change it, sends it and closes once the switch has taken it. The caller
// asks WasModified() afterwards.

#include "framework/afx/collections.h"
#include "framework/afx/cstring.h"
#include "framework/afx/message_map.h"
#include "framework/afx/runtime_class.h"
#include "framework/afx/win_types.h"
#include "framework/afx/wnd.h"
#include "framework/sw/sw_base_dialog.h"

class CExpSegmentDescrDialog : public CSwBaseDialog {
    DECLARE_DYNAMIC(CExpSegmentDescrDialog)
public:
    explicit CExpSegmentDescrDialog(CWnd* parent = nullptr);

    // The first index is the segment; an empty array changes nothing.
    void SetIndexValues(CUIntArray* indexes);
    BOOL WasModified() const { return m_modified; }
    int segment() const { return m_segment; }

    BOOL OnInitDialog() override;
    void RequestData() override;
    BOOL ApplyChanges() override;
    void OnRequestDone(int h) override;
    void OnError(int h) override;
    void OnHelp() override;

    static constexpr int kDescriptionLimit = 31;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    void OnDescriptionChanged();

private:
    void SetSegmentInstance();

    long m_request = 0;
    int m_segment = -1;
    int m_modified = 0;
    int m_setting = 0;
    CString m_description;
    CString m_segmentText;
    CUIntArray m_instance;

    DECLARE_MESSAGE_MAP()
};
