object CDList_Form: TCDList_Form
  Left = 263
  Top = 292
  BorderIcons = []
  BorderStyle = bsSingle
  Caption = '再生順序　作成ウィンドウ'
  ClientHeight = 214
  ClientWidth = 340
  Font.Charset = SHIFTJIS_CHARSET
  Font.Color = clWindowText
  Font.Height = -12
  Font.Name = 'ＭＳ Ｐゴシック'
  Font.Style = []
  PixelsPerInch = 96
  TextHeight = 12
  object Label1: TLabel
    Left = 24
    Top = 8
    Width = 91
    Height = 12
    Caption = '使用可能な　曲番'
  end
  object Label2: TLabel
    Left = 215
    Top = 8
    Width = 88
    Height = 12
    Caption = '指定された　曲番'
  end
  object AddSong: TSpeedButton
    Left = 155
    Top = 45
    Width = 35
    Height = 35
    Caption = '追加'
    Glyph = 'add.bmp'
    Layout = blGlyphTop
    Margin = 0
    NumGlyphs = 2
    Spacing = 1
    OnClick = AddSongClick
  end
  object DelSong: TSpeedButton
    Left = 155
    Top = 95
    Width = 35
    Height = 35
    Caption = '削除'
    Glyph = 'delete.bmp'
    Layout = blGlyphTop
    Margin = 0
    NumGlyphs = 2
    Spacing = 1
    OnClick = DelSongClick
  end
  object Song_Ok: TSpeedButton
    Left = 54
    Top = 162
    Width = 60
    Height = 41
    Caption = '登録'
    Glyph = 'register.bmp'
    Layout = blGlyphTop
    NumGlyphs = 2
    OnClick = Song_OkClick
  end
  object List1: TListBox
    Left = 17
    Top = 24
    Width = 121
    Height = 125
    Columns = 3
    Font.Charset = SHIFTJIS_CHARSET
    Font.Color = clWindowText
    Font.Height = -16
    Font.Name = 'ＭＳ Ｐゴシック'
    Font.Style = []
    ItemHeight = 16
    MultiSelect = False
    ParentFont = False
    TabOrder = 0
    OnDblClick = AddSongClick
  end
  object List2: TListBox
    Left = 201
    Top = 24
    Width = 121
    Height = 125
    Columns = 3
    ExtendedSelect = True
    Font.Charset = SHIFTJIS_CHARSET
    Font.Color = clWindowText
    Font.Height = -16
    Font.Name = 'ＭＳ Ｐゴシック'
    Font.Style = []
    ItemHeight = 16
    MultiSelect = True
    ParentFont = False
    TabOrder = 1
    OnDblClick = DelSongClick
  end
  object Song_ReLoad: TBitBtn
    Left = 253
    Top = 162
    Width = 60
    Height = 41
    Caption = '解除'
    TabOrder = 2
    OnClick = Song_ReLoadClick
    Kind = bkRetry
    Layout = blGlyphTop
  end
  object Song_Cancel: TBitBtn
    Left = 149
    Top = 162
    Width = 60
    Height = 41
    Caption = 'ｷｬﾝｾﾙ'
    TabOrder = 3
    OnClick = Song_CancelClick
    Kind = bkCancel
    Layout = blGlyphTop
  end
end
