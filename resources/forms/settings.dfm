object Setting_Form: TSetting_Form
  Left = 214
  Top = 324
  BorderIcons = [biSystemMenu, biMinimize, biMaximize]
  BorderStyle = bsSizeable
  Caption = '設定　ウィンドウ'
  ClientHeight = 176
  ClientWidth = 188
  Font.Charset = SHIFTJIS_CHARSET
  Font.Color = clWindowText
  Font.Height = -12
  Font.Name = 'ＭＳ Ｐゴシック'
  Font.Style = []
  OnCreate = FormCreate
  PixelsPerInch = 96
  TextHeight = 12
  object TabbedNotebook1: TTabbedNotebook
    Left = 3
    Top = 2
    Width = 182
    Height = 135
    PageIndex = 0
    TabFont.Charset = SHIFTJIS_CHARSET
    TabFont.Color = clBtnText
    TabFont.Height = -12
    TabFont.Name = 'ＭＳ Ｐゴシック'
    TabFont.Style = []
    TabOrder = 0
    object TabPage1: TTabPage
      Left = 4
      Top = 24
      Caption = '再生'
      object ICheck: TCheckBox
        Left = 16
        Top = 16
        Width = 89
        Height = 17
        Caption = 'イントロ再生'
        TabOrder = 0
        OnClick = ICheckClick
      end
      object ITime: TEdit
        Left = 112
        Top = 16
        Width = 33
        Height = 20
        Enabled = False
        TabOrder = 1
        Text = '0'
      end
      object ITime_UpDown: TUpDown
        Left = 145
        Top = 16
        Width = 15
        Height = 20
        Associate = ITime
        ArrowKeys = True
        Enabled = False
        Min = 0
        Max = 100
        Increment = 1
        Position = 0
        TabOrder = 2
        Wrap = False
      end
      object Rep: TCheckBox
        Left = 16
        Top = 48
        Width = 97
        Height = 17
        Caption = 'リピート再生'
        TabOrder = 3
      end
    end
    object TabPage2: TTabPage
      Left = 4
      Top = 24
      Caption = 'ドライブ'
      object CD_Drive: TLabel
        Left = 8
        Top = 10
        Width = 94
        Height = 12
        Caption = 'CD-ROM  ドライブ'
      end
      object CDList: TListBox
        Left = 8
        Top = 28
        Width = 97
        Height = 69
        Font.Charset = SHIFTJIS_CHARSET
        Font.Color = clWindowText
        Font.Height = -16
        Font.Name = 'ＭＳ Ｐゴシック'
        Font.Style = []
        ItemHeight = 16
        MultiSelect = False
        ParentFont = False
        TabOrder = 0
        OnClick = CDListClick
      end
      object Ch: TButton
        Left = 112
        Top = 56
        Width = 59
        Height = 25
        Caption = '変更'
        Enabled = False
        TabOrder = 1
        OnClick = ChClick
      end
    end
  end
  object BitBtn1: TBitBtn
    Left = 6
    Top = 145
    Width = 82
    Height = 25
    Caption = 'OK'
    TabOrder = 1
    OnClick = BitBtn1Click
    Kind = bkOK
  end
  object BitBtn2: TBitBtn
    Left = 96
    Top = 145
    Width = 87
    Height = 25
    Caption = 'ｷｬﾝｾﾙ'
    TabOrder = 2
    OnClick = BitBtn2Click
    Kind = bkCancel
  end
end
