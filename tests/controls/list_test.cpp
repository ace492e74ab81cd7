#include "controls/MediaListCtrl.h"
#include "ControlHost.h"
#include "controls_test_ids.h"
#include "support/GuiObjects.h"
#include "support/MessageSequence.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

class ListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_list = std::make_unique<CMediaListCtrl>();
        HWND hwnd = m_host.CreateChild(WC_LISTVIEWA, LVS_ICON | LVS_EDITLABELS, 360, 200);
        ASSERT_TRUE(m_list->SubclassWindow(hwnd));
    }
    void TearDown() override { m_list->DestroyWindow(); }

    void AddRows(const std::vector<std::string>& texts)
    {
        for (const std::string& text : texts)
            ASSERT_GE(m_list->AppendRow(text.c_str()), 0);
    }
    std::vector<std::string> Column(int column) const
    {
        std::vector<std::string> texts;
        for (int row = 0; row < m_list->GetItemCount(); ++row)
            texts.push_back(m_list->GetItemText(row, column));
        return texts;
    }
    LVCOLUMNA ColumnInfo(int column, char* text, int size) const
    {
        LVCOLUMNA info{};
        info.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
        info.pszText = text;
        info.cchTextMax = size;
        m_list->SendMessage(LVM_GETCOLUMNA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&info));
        return info;
    }
    // Clicks a header item as the mouse would.
    void ClickHeader(int column)
    {
        RECT item{};
        HWND header = m_list->GetHeader();
        ::SendMessageA(header, HDM_GETITEMRECT, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item));
        const LPARAM point = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
        ::SendMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, point);
        ::SendMessageA(header, WM_LBUTTONUP, 0, point);
    }

    ControlHost& m_host = ControlHost::Shared();
    std::unique_ptr<CMediaListCtrl> m_list;
};

TEST_F(ListTest, SubclassingForcesAReportViewWithFullRowSelection)
{
    const DWORD style = m_list->GetStyle();
    EXPECT_EQ(static_cast<DWORD>(LVS_REPORT), style & LVS_TYPEMASK);
    EXPECT_EQ(0u, style & LVS_EDITLABELS);
    EXPECT_EQ(static_cast<DWORD>(LVS_EX_FULLROWSELECT | LVS_EX_SUBITEMIMAGES), m_list->GetExtendedStyle());
    m_list->SetGridLines(true);
    EXPECT_EQ(static_cast<DWORD>(LVS_EX_FULLROWSELECT | LVS_EX_SUBITEMIMAGES | LVS_EX_GRIDLINES), m_list->GetExtendedStyle());
    m_list->SetGridLines(false);
    EXPECT_EQ(static_cast<DWORD>(LVS_EX_FULLROWSELECT | LVS_EX_SUBITEMIMAGES), m_list->GetExtendedStyle());
}

TEST_F(ListTest, ACreatedListIsAReportViewToo)
{
    CSortListCtrl created;
    RECT rect{0, 0, 200, 100};
    ASSERT_TRUE(created.Create(WC_LISTVIEWA, "", LVS_ICON | LVS_EDITLABELS, rect, m_host.Hwnd(), 101));
    EXPECT_EQ(static_cast<DWORD>(LVS_REPORT), created.GetStyle() & LVS_TYPEMASK);
    EXPECT_EQ(0u, created.GetStyle() & LVS_EDITLABELS);
    EXPECT_EQ(static_cast<DWORD>(LVS_EX_FULLROWSELECT | LVS_EX_SUBITEMIMAGES), created.GetExtendedStyle());
    created.DestroyWindow();
}

TEST_F(ListTest, SetColumnsReadsTheProgramsColumns)
{
    AddRows({"old"});
    ASSERT_TRUE(m_list->SetColumns("Source Media, 400; Duration, 150;"));
    EXPECT_EQ(0, m_list->GetItemCount()) << "rows are replaced";
    ASSERT_EQ(2, m_list->ColumnCount());
    char text[64];
    LVCOLUMNA first = ColumnInfo(0, text, sizeof text);
    EXPECT_STREQ("Source Media", text);
    EXPECT_EQ(400, first.cx);
    EXPECT_EQ(LVCFMT_LEFT, first.fmt & LVCFMT_JUSTIFYMASK);
    LVCOLUMNA second = ColumnInfo(1, text, sizeof text);
    EXPECT_STREQ(" Duration", text) << "fields keep their blanks";
    EXPECT_EQ(150, second.cx);
    EXPECT_EQ(LVCFMT_LEFT, second.fmt & LVCFMT_JUSTIFYMASK);
}

TEST_F(ListTest, SetColumnsDefaultsTheWidthAndReadsAlignments)
{
    ASSERT_TRUE(m_list->SetColumns("Name;;A,50,1;B,60,2;C,70,0;D,80,7;,,;"));
    ASSERT_EQ(5, m_list->ColumnCount());
    char text[64];
    EXPECT_EQ(100, ColumnInfo(0, text, sizeof text).cx);
    EXPECT_EQ(LVCFMT_CENTER, ColumnInfo(1, text, sizeof text).fmt & LVCFMT_JUSTIFYMASK);
    EXPECT_EQ(LVCFMT_RIGHT, ColumnInfo(2, text, sizeof text).fmt & LVCFMT_JUSTIFYMASK);
    EXPECT_EQ(LVCFMT_LEFT, ColumnInfo(3, text, sizeof text).fmt & LVCFMT_JUSTIFYMASK);
    EXPECT_EQ(LVCFMT_LEFT, ColumnInfo(4, text, sizeof text).fmt & LVCFMT_JUSTIFYMASK);
    EXPECT_FALSE(m_list->SetColumns(";;,"));
    EXPECT_EQ(0, m_list->ColumnCount());
}

TEST_F(ListTest, AppendedRowsAreSelectedAndFocused)
{
    m_list->SetColumns("Source Media, 400; Duration, 150;");
    AddRows({"a.avi", "b.avi"});
    EXPECT_EQ((std::vector<std::string>{"a.avi", "b.avi"}), Column(0));
    EXPECT_EQ(static_cast<UINT>(ROW_SELECTED | ROW_NOT_CHECKED | ROW_FOCUSED), m_list->GetRowState(1));
    EXPECT_EQ(static_cast<UINT>(ROW_SELECTED | ROW_NOT_CHECKED | ROW_NOT_FOCUSED), m_list->GetRowState(0));
}

TEST_F(ListTest, MaskOperationsAddressRowsByState)
{
    m_list->SetColumns("Source Media, 400;");
    AddRows({"a", "b", "c", "d", "e"});
    EXPECT_EQ(5, m_list->SetRowsState(ROW_ALL, ROW_NOT_SELECTED));
    EXPECT_EQ(0, m_list->CountRows(ROW_SELECTED));
    EXPECT_EQ(-1, m_list->FindNextRow(ROW_SELECTED, -1));
    EXPECT_EQ(0, m_list->DeleteRows(ROW_SELECTED));

    m_list->SetRowState(1, ROW_SELECTED);
    m_list->SetRowState(3, ROW_SELECTED);
    EXPECT_EQ(5, m_list->CountRows(ROW_ALL));
    EXPECT_EQ(2, m_list->CountRows(ROW_SELECTED));
    EXPECT_EQ(1, m_list->FindNextRow(ROW_SELECTED, -5));
    EXPECT_EQ(3, m_list->FindNextRow(ROW_SELECTED, 1));
    EXPECT_EQ(-1, m_list->FindNextRow(ROW_SELECTED, 3));
    EXPECT_EQ(-1, m_list->FindNextRow(ROW_SELECTED | ROW_FOCUSED, -1)) << "e has the focus but no selection";
    EXPECT_EQ(0, m_list->SetRowsState(0, ROW_SELECTED));
    EXPECT_EQ(0, m_list->SetRowsState(ROW_SELECTED, 0));
    EXPECT_FALSE(m_list->SetRowState(0, 0));

    m_list->SetRowState(4, ROW_SELECTED);
    EXPECT_EQ(1, m_list->DeleteRows(ROW_SELECTED | ROW_FOCUSED));
    EXPECT_EQ((std::vector<std::string>{"a", "b", "c", "d"}), Column(0));
    EXPECT_EQ(2, m_list->DeleteRows(ROW_SELECTED));
    EXPECT_EQ((std::vector<std::string>{"a", "c"}), Column(0));
    EXPECT_EQ(2, m_list->DeleteRows(ROW_ALL));
    EXPECT_EQ(0, m_list->GetItemCount());
}

TEST_F(ListTest, DeletingThreeSelectedRowsReportsThree)
{
    m_list->SetColumns("Source Media, 400;");
    AddRows({"a", "b", "c", "d"});
    m_list->SetRowsState(ROW_ALL, ROW_SELECTED);
    m_list->SetRowState(2, ROW_NOT_SELECTED);
    EXPECT_EQ(3, m_list->DeleteRows(ROW_SELECTED));
    EXPECT_EQ((std::vector<std::string>{"c"}), Column(0));
}

TEST_F(ListTest, SortsByTheFirstReadingBothCellsPass)
{
    m_list->SetColumns("Text, 100; Numbers, 100;");
    struct Case {
        std::vector<std::string> cells;
        std::vector<std::string> ascending;
    } cases[] = {
        {{"10", "9"}, {"9", "10"}},                      // digits read as hexadecimal, same order as decimal
        {{"10", "b"}, {"b", "10"}},                      // hexadecimal 11 before 16, unlike the bytes
        {{"12.5%", "3%"}, {"3%", "12.5%"}},              // decimal with a trailing per-cent sign
        {{"1:30:00", "0:45:10", "12:00:01"}, {"0:45:10", "1:30:00", "12:00:01"}},  // times of day
        {{"path", "Path", "apple"}, {"Path", "apple", "path"}},  // bytes: upper case first
        {{"C:\\b.avi", "C:\\a.avi"}, {"C:\\a.avi", "C:\\b.avi"}},
    };
    for (const Case& c : cases) {
        m_list->DeleteRows(ROW_ALL);
        for (const std::string& cell : c.cells) {
            const int row = m_list->InsertRow(m_list->GetItemCount(), "x");
            m_list->SetCellText(row, 1, cell.c_str());
        }
        m_list->SortByColumn(1, true);
        EXPECT_EQ(c.ascending, Column(1)) << c.cells[0];
        m_list->SortByColumn(1, false);
        EXPECT_EQ(std::vector<std::string>(c.ascending.rbegin(), c.ascending.rend()), Column(1)) << c.cells[0];
    }
}

TEST_F(ListTest, RowsKeepTextsImagesColoursSelectionAndFocusAcrossASort)
{
    m_list->SetColumns("Source Media, 200; Duration, 150;");
    ASSERT_TRUE(m_list->SetSmallImages(IDB_LIST_IMAGES, RGB(255, 0, 255)));
    AddRows({"c.avi", "a.avi", "b.avi"});
    m_list->SetRowsState(ROW_ALL, ROW_NOT_SELECTED | ROW_NOT_FOCUSED);
    m_list->SetCellText(0, 1, "00:00:30");
    m_list->SetCellText(1, 1, "00:00:10");
    m_list->SetCellText(2, 1, "00:00:20");
    m_list->SetCellImage(0, 0, 2);
    m_list->SetCellImage(1, 0, 0);
    m_list->SetCellImage(2, 0, 4);
    m_list->SetRowState(0, ROW_SELECTED);
    m_list->SetRowState(2, ROW_FOCUSED);
    const LPARAM coloursOfC = m_list->GetItemData(0);

    m_list->SortByColumn(0, true);
    EXPECT_EQ((std::vector<std::string>{"a.avi", "b.avi", "c.avi"}), Column(0));
    EXPECT_EQ((std::vector<std::string>{"00:00:10", "00:00:20", "00:00:30"}), Column(1));
    EXPECT_EQ(0, m_list->GetCellImage(0, 0));
    EXPECT_EQ(4, m_list->GetCellImage(1, 0));
    EXPECT_EQ(2, m_list->GetCellImage(2, 0));
    EXPECT_EQ(static_cast<UINT>(ROW_NOT_SELECTED | ROW_NOT_CHECKED | ROW_NOT_FOCUSED), m_list->GetRowState(0));
    EXPECT_EQ(static_cast<UINT>(ROW_NOT_SELECTED | ROW_NOT_CHECKED | ROW_FOCUSED), m_list->GetRowState(1));
    EXPECT_EQ(static_cast<UINT>(ROW_SELECTED | ROW_NOT_CHECKED | ROW_NOT_FOCUSED), m_list->GetRowState(2));
    EXPECT_EQ(coloursOfC, m_list->GetItemData(2)) << "the colour record travels with its row";
    EXPECT_EQ(5, ImageList_GetImageCount(reinterpret_cast<HIMAGELIST>(m_list->SendMessage(LVM_GETIMAGELIST, LVSIL_SMALL))));
}

TEST_F(ListTest, HeaderClicksSortAndTellTheParent)
{
    m_list->SetColumns("Source Media, 200; Duration, 150;");
    AddRows({"b", "a"});
    MessageRecorder recorder(m_list->GetSafeHwnd(), m_host.Hwnd());
    ClickHeader(0);
    ClickHeader(0);
    ClickHeader(1);
    m_list->AppendRow("c");  // forgets the sort: the next click sorts ascending
    ClickHeader(1);
    static const ExpectedMessage expected[] = {
        {UWM_LIST_SORTED, SEQ_PARENT | SEQ_WPARAM | SEQ_LPARAM, 0, 1},
        {UWM_LIST_SORTED, SEQ_PARENT | SEQ_WPARAM | SEQ_LPARAM, 0, 0},
        {UWM_LIST_SORTED, SEQ_PARENT | SEQ_WPARAM | SEQ_LPARAM, 1, 1},
        {UWM_LIST_SORTED, SEQ_PARENT | SEQ_WPARAM | SEQ_LPARAM, 1, 1},
        {0, 0, 0, 0},
    };
    EXPECT_TRUE(recorder.Matches(expected, "header clicks"));
    EXPECT_EQ((std::vector<std::string>{"b", "a", "c"}), Column(0)) << "the last sort was by the empty durations";
}

TEST_F(ListTest, NoSortWithoutSortHeaderOrForTheSameOrder)
{
    m_list->SetColumns("Source Media, 200;");
    AddRows({"b", "a"});
    MessageRecorder recorder(m_list->GetSafeHwnd(), m_host.Hwnd());
    m_list->SortByColumn(0, true);
    m_list->SortByColumn(0, true);
    m_list->SortByColumn(3, true);
    m_list->ModifyStyle(0, LVS_NOSORTHEADER);
    m_list->SortByColumn(0, false);
    static const ExpectedMessage once[] = {
        {UWM_LIST_SORTED, SEQ_PARENT | SEQ_WPARAM | SEQ_LPARAM, 0, 1},
        {0, 0, 0, 0},
    };
    EXPECT_TRUE(recorder.Matches(once, "sorts"));
    EXPECT_EQ((std::vector<std::string>{"a", "b"}), Column(0));
}

TEST_F(ListTest, CellsPaintInTheirRowsColours)
{
    m_list->SetColumns("Source Media, 200; Duration, 150;");
    AddRows({"a"});
    NMLVCUSTOMDRAW draw{};
    draw.nmcd.hdr = {m_list->GetSafeHwnd(), 100, static_cast<UINT>(NM_CUSTOMDRAW)};
    draw.nmcd.dwDrawStage = CDDS_PREPAINT;
    auto send = [&] { return ::SendMessageA(m_host.Hwnd(), WM_NOTIFY, 100, reinterpret_cast<LPARAM>(&draw)); };
    EXPECT_EQ(CDRF_NOTIFYSUBITEMDRAW, send());
    draw.nmcd.dwDrawStage = CDDS_ITEMPREPAINT;
    EXPECT_EQ(CDRF_NOTIFYSUBITEMDRAW, send());
    draw.nmcd.dwDrawStage = CDDS_ITEMPREPAINT | CDDS_SUBITEM;
    draw.nmcd.lItemlParam = m_list->GetItemData(0);
    draw.iSubItem = 1;
    draw.clrText = draw.clrTextBk = RGB(1, 2, 3);
    EXPECT_EQ(CDRF_DODEFAULT, send());
    EXPECT_EQ(::GetSysColor(COLOR_WINDOWTEXT), draw.clrText);
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), draw.clrTextBk);
}

TEST_F(ListTest, TheSpaceBarDoesNothing)
{
    m_list->SetColumns("Source Media, 200;");
    AddRows({"a"});
    m_list->SetRowState(0, ROW_NOT_SELECTED);
    ::SetFocus(m_list->GetSafeHwnd());
    MSG down{m_list->GetSafeHwnd(), WM_KEYDOWN, VK_SPACE, 0x00390001, 0, {0, 0}};
    MSG up{m_list->GetSafeHwnd(), WM_KEYUP, VK_SPACE, static_cast<LPARAM>(0xC0390001), 0, {0, 0}};
    MSG other{m_list->GetSafeHwnd(), WM_KEYDOWN, VK_DOWN, 0, 0, {0, 0}};
    EXPECT_FALSE(m_list->PreTranslateMessage(&other));
    for (MSG* msg : {&down, &up}) {
        if (!m_list->PreTranslateMessage(msg))
            ::DispatchMessageA(msg);
    }
    EXPECT_EQ(0, m_list->CountRows(ROW_SELECTED));
    // Had it reached the list, the space bar would have selected the row.
    ::DispatchMessageA(&down);
    ::DispatchMessageA(&up);
    EXPECT_EQ(1, m_list->CountRows(ROW_SELECTED));
}

TEST_F(ListTest, RepeatedUseLeavesNoObjectsBehind)
{
    auto cycle = [&] {
        m_list->DestroyWindow();
        m_list = std::make_unique<CMediaListCtrl>();
        ASSERT_TRUE(m_list->SubclassWindow(m_host.CreateChild(WC_LISTVIEWA, 0, 360, 200)));
        m_list->SetColumns("Source Media, 400; Duration, 150;");
        m_list->SetSmallImages(IDB_LIST_IMAGES, RGB(255, 0, 255));
        m_list->SetSmallImages(IDB_LIST_IMAGES, RGB(255, 0, 255));
        m_list->AppendRow("a");
        ::UpdateWindow(m_list->GetSafeHwnd());
    };
    EXPECT_TRUE(LeavesNoGuiObjects(cycle));
}

}  // namespace
